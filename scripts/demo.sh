#!/usr/bin/env bash
# The main job on a fresh Debian 12 machine: packages, Firebird set-up, build, then the demo.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
if [ -x "$top/scripts/setup-firebird.sh" ]; then
    "$top/scripts/setup-firebird.sh"
fi
"$top/scripts/build.sh" build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELT_BUILD_BENCH=OFF
exec "$top/build/bin/ZeltSmoke" "$@"
