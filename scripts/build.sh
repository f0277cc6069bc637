#!/usr/bin/env bash
# Configures and builds Zirtel into a build folder (default: build).
# Usage: scripts/build.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$root/build"}
shift || true
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${ZIRTEL_BUILD_TYPE:-RelWithDebInfo}" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "$@"
cmake --build "$dir" --parallel "$(nproc)"
