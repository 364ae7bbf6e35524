#!/usr/bin/env bash
# Sets up, builds and starts gmdesk.
set -euo pipefail
cd "$(dirname "$0")/.."
exec scripts/run-program.sh gmdesk "$@"
