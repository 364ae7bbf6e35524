#!/usr/bin/env bash
# Sets up, builds and starts one of the two programs (gmdesk or acctdesk).
set -euo pipefail
cd "$(dirname "$0")/.."
program=$1
shift

scripts/setup-packages.sh
scripts/setup-odbc-driver.sh
cmake -S . -B build
cmake --build build -j "$(nproc)" --target "$program"
exec "build/$program/$program" "$@"
