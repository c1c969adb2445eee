#!/usr/bin/env bash
# Builds what is needed and runs the main job: the ostrellix host program on
# its default workspace.
#   scripts/run-main.sh [ostrellix arguments...]   (default: demo)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target ostrellix
if [ $# -eq 0 ]; then set -- demo; fi
exec "$build/apps/ostrellix/ostrellix" "$@"
