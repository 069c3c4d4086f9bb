#!/usr/bin/env bash
# The test command: packages, Firebird set-up, the sanitizer build, every test.
# Extra arguments go to ctest (scripts/test.sh -R Ini).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/as-root.sh" "$top/scripts/setup-firebird.sh"
# The benchmarks are compiled too (not run), so that they keep building.
"$top/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DZELT_SANITIZE=ON -DZELT_BUILD_BENCH=ON
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$top/build-asan"
ctest --output-on-failure -j "$(nproc)" "$@"
