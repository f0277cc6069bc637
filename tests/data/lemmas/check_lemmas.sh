#!/usr/bin/env bash
# Runs the data builder on a hand-made count list with a hand-made analyser output
# (analyses.txt) and Basque Hunspell, and compares the lemma file with the one worked out by hand
# (expected_lemak_EUS2.txt): 10,000 tokens, so a count c is c * 100 per million.
#   prefix:   badakit (ba<cnjsub>+jakin or +edin) goes wholly to jakin, the main verb; banoa to
#             joan; ba counts alone
#   support:  baina 60 -> baina 60*60/64, bainatu 60*4/64 (bainatu alone 4);
#             bat 90 -> bat 90*120/130 (batek 30 + its own 90), batu 90*10/130 (batu alone 10);
#             zuen 8 -> ukan 8 (izan has no support, ukan baitu's 10)
#   bait-:    baitu (Hunspell's bait+du) -> ukan, the analyser's verb of du: ukan 10 + 8
#   stems:    eskerrik (Hunspell's eskerr) -> esker; gertatzen (Hunspell's gerta, the analyser's
#             gertatu) -> gertatu
#   postpositional: aurretik (aurretik<adv> or aurre+tik) is a lemma of its own
#   Hunspell: laztana -> laztan, andrea -> andre (+ andre 5 from the analyser), ba -> ba;
#             birjaiotza has no stem and counts for itself
#   credits:  azpitituluak is in neither file
# Usage: check_lemmas.sh BUILDER
set -euo pipefail
builder=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$builder" --counts "$here/counts.txt" --analyses "$here/analyses.txt" \
    --dictionary /usr/share/hunspell/eu --out "$work/a" > "$work/report.txt"

tab=$'\t'
fail=0
check() {  # check DESCRIPTION EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1"; echo "  expected: $2"; echo "  actual:   $3"; fail=1
    fi
}
diff -u "$here/expected_lemak_EUS2.txt" "$work/a/lemak_EUS2.txt" || fail=1
grep -q '^azpitituluak' "$work/a/nwfreq_EUS.txt" && { echo "FAIL: credit artefact kept"; fail=1; }
report=$work/report.txt
check "credits" "Dropped, subtitle-credit artefact: 1" "$(grep '^Dropped, subtitle' "$report")"
check "sources" "Lemmas by the analyser: 11 forms (61.1% of forms, 74.5% of their tokens), 2 of them after a prefix
Lemmas by Hunspell's stemmer: 6 forms (33.3% of forms, 23.8% of their tokens)
Lemmas by neither (the form counts for itself): 1 forms (5.6% of forms, 1.6% of their tokens)" \
    "$(grep '^Lemmas by' "$report")"
check "several" "Forms with several lemmas: 3 (3 shared by support, 0 evenly)" \
    "$(grep '^Forms with several' "$report")"
check "folded" "Hunspell stems folded into a fuller lemma: 3 forms" "$(grep '^Hunspell stems' "$report")"
check "largest" "  bat${tab}11307.69${tab}2" "$(grep -A1 '^Ten largest' "$report" | tail -1)"
check "sample bat" "  bat${tab}11307.69: bat 8307.69 of 9000.00, batek 3000.00" \
    "$(grep -P '^  bat\t11307.69:' "$report")"
check "sample jakin" "  jakin${tab}5000.00: badakit 3000.00, dakit 2000.00" \
    "$(grep -P '^  jakin\t5000.00:' "$report")"

[ "$fail" = 0 ] && echo "lemma file as expected"
exit "$fail"
