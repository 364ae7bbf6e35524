#!/usr/bin/env bash
# Builds for speed and times the database components against the ODBC
# driver's own floor: a record set reading a whole result, and short
# statements one after another. Arguments go to the benchmark, e.g.
# --rows 100000 --statements 2000.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-packages.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j "$(nproc)" --target db_bench
exec build-bench/bench/db_bench "$@"
