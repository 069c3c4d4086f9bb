#!/usr/bin/env bash
# The main job on a fresh Debian 12 machine: packages, Firebird set-up, build, then the demo.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/as-root.sh" "$top/scripts/setup-firebird.sh"
"$top/scripts/build.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELT_BUILD_BENCH=OFF
exec "$top/build/bin/zelt" demo "$@"
