#!/usr/bin/env bash
# The main job on a fresh Debian 12 machine: packages, Firebird set-up, a build of the demo host
# and the packages it loads (no tests, no benchmarks: they are the test command's), then the demo.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/as-root.sh" "$top/scripts/setup-firebird.sh"
cmake -S "$top" -B "$top/build-demo" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZELT_BUILD_TESTS=OFF -DZELT_BUILD_BENCH=OFF >/dev/null
ninja -C "$top/build-demo" zelt
exec "$top/build-demo/bin/zelt" demo "$@"
