#!/usr/bin/env bash
# Runs the data builder on a small hand-made count list and compares what it writes with the
# answers worked out by hand (expected_*.txt beside this script).
# Usage: check_builder.sh BUILDER
set -euo pipefail
builder=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$builder" --counts "$here/counts.txt" --out "$work/a" > "$work/report-a.txt"
"$builder" --counts "$here/counts.txt" --out "$work/b" > "$work/report-b.txt"

fail=0
check() {  # check DESCRIPTION EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1"; echo "  expected: $2"; echo "  actual:   $3"; fail=1
    fi
}

diff -u "$here/expected_nwfreq_EUS.txt" "$work/a/nwfreq_EUS.txt" || fail=1
diff -u "$here/expected_lemak_EUS2.txt" "$work/a/lemak_EUS2.txt" || fail=1
# zuen's two lemmas share its count evenly.
printf 'ahal\tahal\t1.0000\netxe\tetxe\t1.0000\netxea\tetxe\t1.0000\nmendian\tmendi\t1.0000\nzuen\tukan\t0.5000\nzuen\tzuek\t0.5000\n' |
    diff -u - "$work/a/formak_EUS.txt" || fail=1
diff -r "$work/a" "$work/b" > /dev/null || { echo "FAIL: two runs differ"; fail=1; }

report=$work/report-a.txt
check "forms read" "Forms read: 8 (28 tokens)" "$(grep '^Forms read' "$report")"
check "malformed" "Dropped, malformed line: 1" "$(grep '^Dropped, malformed' "$report")"
check "count" "Dropped, count below 2: 1" "$(grep '^Dropped, count' "$report")"
check "letters" "Dropped, letters outside the Basque alphabet: 1" "$(grep '^Dropped, letters' "$report")"
check "dictionary" "Dropped, refused by the dictionary: 1" "$(grep '^Dropped, refused' "$report")"
check "kept" "Kept: 5 forms, 18 tokens (64.3% of all tokens)" "$(grep '^Kept' "$report")"
check "lemmas" "Lemmas by the analyser: 4 forms (80.0% of forms, 83.3% of their tokens), 0 of them after a prefix
Lemmas by Hunspell's stemmer: 1 forms (20.0% of forms, 16.7% of their tokens)
Lemmas by neither (the form counts for itself): 0 forms (0.0% of forms, 0.0% of their tokens)" \
    "$(grep '^Lemmas by' "$report")"
check "several" "Forms with several lemmas: 1 (0 shared by support, 1 evenly)" \
    "$(grep '^Forms with several' "$report")"
check "written" "Lemma entries written: 5" "$(grep '^Lemma entries' "$report")"
check "families" "Form-lemma pairs: 6 over 5 forms and 5 lemmas; the largest families: etxe 2, ahal 1, mendi 1, ukan 1, zuek 1" \
    "$(grep '^Form-lemma pairs' "$report")"

# Tables: header, row count and the rows of the kept words.
line() { sed -n "$2p" "$work/a/$1"; }
tab=$'\t'
check "ZR_BF4 header" "Bigram${tab}Type1${tab}Type2${tab}Type3${tab}Token1${tab}Token2${tab}Token3" "$(line ZR_BF4.txt 1)"
check "ZR_BF4 rows" "730" "$(wc -l < "$work/a/ZR_BF4.txt")"
check "ZR_BF4 ah" "ah${tab}1${tab}0${tab}0${tab}107142.86${tab}0.00${tab}0.00" "$(line ZR_BF4.txt 9)"
check "ZR_BF4 et" "et${tab}1${tab}0${tab}0${tab}71428.57${tab}0.00${tab}0.00" "$(line ZR_BF4.txt 129)"
check "ZR_BF4 en" "en${tab}0${tab}0${tab}1${tab}0.00${tab}0.00${tab}142857.14" "$(line ZR_BF4.txt 123)"
check "ZR_BF4 xe" "xe${tab}0${tab}0${tab}1${tab}0.00${tab}0.00${tab}71428.57" "$(line ZR_BF4.txt 627)"
check "ZR_BF4 ññ" "ññ${tab}0${tab}0${tab}0${tab}0.00${tab}0.00${tab}0.00" "$(line ZR_BF4.txt 730)"
check "ZR_BPF4 rows" "677" "$(wc -l < "$work/a/ZR_BPF4.txt")"
check "ZR_BPF4 Et" "Et${tab}1${tab}0${tab}0${tab}71428.57${tab}0.00${tab}0.00" "$(line ZR_BPF4.txt 534)"
check "ZR_BPF4 TU" "TU${tab}1${tab}0${tab}0${tab}142857.14${tab}0.00${tab}0.00" "$(line ZR_BPF4.txt 363)"
check "ZR_BPF3 AA" "AA${tab}1${tab}0${tab}107142.86${tab}0.00" "$(line ZR_BPF3.txt 515)"
check "ZR_BPF3 Al" "Al${tab}0${tab}1${tab}0.00${tab}107142.86" "$(line ZR_BPF3.txt 502)"
for n in $(seq 2 18); do
    [ -f "$work/a/ZR_BF$n.txt" ] && [ -f "$work/a/ZR_BPF$n.txt" ] || { echo "FAIL: tables of $n missing"; fail=1; }
done

# Neighbourhoods: five forms are fewer than the 20 closest, so no key has a mean; measuring a
# built folder again gives the same file.
check "lev20 sections" "OLD20 PLD20" "$(grep '^#' "$work/a/lev20_EUS.txt" | cut -f2 | tr '\n' ' ' | sed 's/ $//')"
check "lev20 etxea" "etxea${tab}-${tab}-" "$(grep "^etxea${tab}" "$work/a/lev20_EUS.txt")"
cp "$work/a/lev20_EUS.txt" "$work/lev20-built.txt"
"$builder" --neighbourhoods "$work/a" > /dev/null
cmp -s "$work/lev20-built.txt" "$work/a/lev20_EUS.txt" || { echo "FAIL: --neighbourhoods differs"; fail=1; }

[ "$fail" = 0 ] && echo "builder output as expected"
exit "$fail"
