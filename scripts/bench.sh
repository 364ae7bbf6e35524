#!/usr/bin/env bash
# Builds for speed and times a record set reading a whole result against the
# ODBC driver's own floor. Arguments go to the benchmark, e.g. --rows 100000.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-packages.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j "$(nproc)" --target recordset_bench
exec build-bench/bench/recordset_bench "$@"
