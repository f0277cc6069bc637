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
# and the Spanish files, from fifteen hand-made Spanish counts (100,000 tokens again) and Spanish
# analyser output: sr. (letters), john (only "John" in the dictionary), the (refused), henry (no
# analysis, names list) and sheriff (no analysis, English list) are dropped; esta and está share
# the key esta; casa (300) goes wholly to the lemma casa, written as the form, while casas (100),
# with no support for casa or casar, is shared evenly (casa 3500, casar 500 per million); al
# gives its lemma a (its first part's). The translation file lists each translated lemma with
# the forms whose largest lemma it is; 4 of the 12 forms, 230 of their 838 tokens, have one.
# Usage: check_origin.sh BUILDER
set -euo pipefail
builder=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$builder" --counts "$here/counts.txt" --analyses "$here/analyses.txt" \
    --translations "$here/translations.txt" --english "$here/english.txt" --french "" \
    --spanish "$here/spanish.txt" --names "$here/names.txt" \
    --spanish-counts "$here/spanish-counts.txt" --spanish-analyses "$here/spanish-analyses.txt" \
    --dictionary /usr/share/hunspell/eu --spanish-dictionary /usr/share/hunspell/es_ES \
    --out "$work/a" > "$work/report.txt"

fail=0
diff -u "$here/expected_jatorria_EUS.txt" "$work/a/jatorria_EUS.txt" || fail=1
diff -u <(cut -f1-4 "$here/expected_jatorria_EUS.txt") "$work/a/nwfreq_EUS.txt" || fail=1
for f in es_EUS.txt es_lemak_EUS.txt itzulpenak_EUS.txt; do
    diff -u "$here/expected_$f" "$work/a/$f" || fail=1
done
check() {  # check EXPECTED PATTERN
    actual=$(grep "$2" "$work/report.txt")
    [ "$1" = "$actual" ] || { echo "FAIL: report"; echo "  expected: $1"; echo "  actual:   $actual"; fail=1; }
}
check "  atzerrikoa: 4 forms, 850.00: de, bueno, sheriff, sheriffa" '^  atzerrikoa:'
check "Forms whose lemma has a Spanish translation: 4 (33.3% of forms, 27.4% of their tokens); translated lemmas: 4" '^Forms whose lemma'
check "Spanish forms kept: 10 (99.9% of the tokens), 10 known to the Spanish analyser; Spanish lemma entries: 10" '^Spanish forms kept'
check "  dropped, a name (the dictionary has it only with a capital): 1" 'only with a capital'
check "  dropped, unknown to the Spanish analyser and an English or French word: 1" 'English or French word'

[ "$fail" = 0 ] && echo "origin, Spanish and translation files as expected"
exit "$fail"
