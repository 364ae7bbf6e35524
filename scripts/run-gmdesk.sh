#!/usr/bin/env bash
# Sets up, builds and starts gmdesk.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-packages.sh
cmake -S . -B build
cmake --build build -j "$(nproc)" --target gmdesk
exec build/gmdesk/gmdesk "$@"
