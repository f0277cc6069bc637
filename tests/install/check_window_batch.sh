#!/usr/bin/env bash
# "zirtel --batch" keeps working without any display and writes the same bytes as zirtel-batch.
# Usage: check_window_batch.sh ZIRTEL ZIRTEL_BATCH TEST_DATA_DIR
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
args=("$3/items.txt" --data-dir "$3" --fields H_MAIZT,LUZ_S --missing NA)
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" --batch "${args[@]}" \
    >"$scratch/window.txt" 2>"$scratch/window.err"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$2" "${args[@]}" \
    >"$scratch/batch.txt" 2>"$scratch/batch.err"
cmp "$scratch/window.txt" "$scratch/batch.txt"
cmp "$scratch/window.err" "$scratch/batch.err"
grep -q $'^etxe\t 120.50\t' "$scratch/batch.txt" || { cat "$scratch/batch.txt"; exit 1; }
