#!/usr/bin/env bash
# Sets up, builds from scratch and runs every test: the full build with
# warnings as errors, then the headless suites under AddressSanitizer with
# UndefinedBehaviorSanitizer, and under ThreadSanitizer; then the Windows tree,
# cross-built with mingw-w64, its suites under wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-packages.sh

echo "== formatting"
git ls-files -z -- '*.h' '*.cpp' | xargs -0 -r clang-format --dry-run --Werror

jobs=$(nproc)
run_suite() {
  local dir=$1
  shift
  echo "== $dir"
  rm -rf "$dir"
  cmake -S . -B "$dir" -DWARNINGS_AS_ERRORS=ON "$@"
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 300)
}

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

run_suite build-asan -DSANITIZE=address -DHEADLESS_ONLY=ON -DCMAKE_BUILD_TYPE=Debug
run_suite build-tsan -DSANITIZE=thread -DHEADLESS_ONLY=ON -DCMAKE_BUILD_TYPE=Debug
run_suite build
# The Windows database suites are sessions of the Linux tree's server host.
run_suite build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DLINUX_BUILD_DIR="$PWD/build"
