#!/usr/bin/env bash
# The help files in data/ must be exactly what tools/help/make_help_rtf.py writes from its text
# sources: a help file edited by hand would be lost the next time they are written.
# Usage: check_help_files.sh SOURCE_ROOT   (exit 77, skipped, without python3)
set -euo pipefail
root=$1
command -v python3 >/dev/null || { echo "python3 not found: help files not checked"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$root/tools/help/make_help_rtf.py" "$root/tools/help" "$out"
written=0
status=0
for f in "$out"/*.rtf; do
    written=$((written + 1))
    name=$(basename "$f")
    if ! diff -u "$root/data/$name" "$f"; then
        echo "data/$name differs from what tools/help writes: edit tools/help/*.txt and run"
        echo "  python3 tools/help/make_help_rtf.py tools/help data"
        status=1
    fi
done
[ "$written" -eq 4 ] || { echo "expected 4 help files, the script wrote $written"; exit 1; }
exit $status
