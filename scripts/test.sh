#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite through ctest.
# Usage: scripts/test.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$root/build"}
shift || true
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$dir" "$@"
export QT_QPA_PLATFORM=offscreen
# No test may hang a run: each has ten minutes at most.
ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)" --timeout 600
