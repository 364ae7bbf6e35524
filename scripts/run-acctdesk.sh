#!/usr/bin/env bash
# Sets up, builds and starts acctdesk.
set -euo pipefail
cd "$(dirname "$0")/.."
exec scripts/run-program.sh acctdesk "$@"
