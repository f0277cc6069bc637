#!/usr/bin/env bash
# Configures and builds Zirtel into a build folder (default: build).
# Usage: scripts/build.sh [BUILD_DIR] [extra cmake arguments...]
# ZIRTEL_TARGETS="a b" builds only those targets (and what they need); default: all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$root/build"}
shift || true
# ccache, when present, keeps the repeated builds (CI's several build folders, other checkouts)
# short; paths below the source folder are hashed relative to it.
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${ZIRTEL_BUILD_TYPE:-RelWithDebInfo}" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON "${launcher[@]}" "$@"
targets=()
for t in ${ZIRTEL_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" --parallel "$(nproc)" "${targets[@]}"
