#!/usr/bin/env bash
# The test command: packages, Firebird set-up, the sanitizer build, every test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
if [ -x "$top/scripts/setup-firebird.sh" ]; then
    "$top/scripts/setup-firebird.sh"
fi
jobs=$(nproc)
"$top/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DZELT_SANITIZE=ON -DZELT_BUILD_BENCH=OFF
# The benchmarks are built (not run) in a normal build so that they keep compiling.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$top/build-asan"
ctest --output-on-failure -j "$jobs" "$@"
