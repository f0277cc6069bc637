#!/usr/bin/env bash
# Runs the data builder on twelve hand-made forms (100,000 tokens: a count c is c * 10 per
# million) with a hand-made analyser output, bilingual output, word lists, names and Spanish
# counts, and compares the origin file with the one worked out by hand:
#   euskara     etxea (the analyser's etxe: casa), bat and zure (Basque words, bat also English:
#               uno, tú), al (Spanish too, but 5000 per million: more than 10 times de's 400),
#               man (English too, but absent from the Spanish subtitles: more than 4 times)
#   mailegua    familia (translated familia)
#   atzerrikoa  bueno and de (Spanish list, 300 and 400 per million against 20000 and 50000 in
#               Spanish), sheriff (English list, 100 against 200), sheriffa (judged by sheriff)
#   izena       henry (names list; 100 against 100)
#   kreditua    itzultzailea
# Usage: check_origin.sh BUILDER
set -euo pipefail
builder=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$builder" --counts "$here/counts.txt" --analyses "$here/analyses.txt" \
    --translations "$here/translations.txt" --english "$here/english.txt" --french "" \
    --spanish "$here/spanish.txt" --names "$here/names.txt" \
    --spanish-counts "$here/spanish-counts.txt" --dictionary /usr/share/hunspell/eu \
    --out "$work/a" > "$work/report.txt"

fail=0
diff -u "$here/expected_jatorria_EUS.txt" "$work/a/jatorria_EUS.txt" || fail=1
diff -u <(cut -f1-4 "$here/expected_jatorria_EUS.txt") "$work/a/nwfreq_EUS.txt" || fail=1
expected="  atzerrikoa: 4 forms, 850.00: de, bueno, sheriff, sheriffa"
actual=$(grep '^  atzerrikoa:' "$work/report.txt")
[ "$expected" = "$actual" ] || { echo "FAIL: report"; echo "  expected: $expected"; echo "  actual:   $actual"; fail=1; }

[ "$fail" = 0 ] && echo "origin file as expected"
exit "$fail"
