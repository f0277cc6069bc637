#!/bin/sh
# End-to-end speed and memory of the batch mode on the shipped lexicon: 100,000 items (the
# lexicon's words in a fixed shuffled order, every tenth item reversed to make a nonword),
# analysed with every field of the catalogue and with every field but OLD20 and PLD20, with one
# worker and with two. Prints items per second and peak resident memory for each run.
#
#   bench/batch_end_to_end.sh [BUILD_DIR] [ITEMS]
set -eu
build=${1:-build}
count=${2:-100000}
program=$build/bin/zirtel-batch
data=$(dirname "$0")/../data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Words of the lexicon, in an order fixed by the seed, as many times over as needed.
awk -F'\t' -v n="$count" '
    length($1) <= 18 { word[++words] = $1 }
    END {
        srand(20)
        for (i = 1; i <= n; ++i) {
            w = word[int(rand() * words) + 1]
            if (i % 10 == 0) { r = ""; for (j = length(w); j > 0; --j) r = r substr(w, j, 1); w = r }
            print w
        }
    }' "$data/nwfreq_EUS.txt" > "$work/items.txt"

all=all
older=$(grep '^ZIRTEL_FIELD' "$(dirname "$0")/../src/core/fields/fields.def" |
    awk -F', ' '$3 !~ /"(USER[123]|OLD20|PLD20)"/ { gsub(/"/, "", $3); printf "%s%s", sep, $3; sep = "," }')

run() { # label fields jobs
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" \
        "$program" "$work/items.txt" -o "$work/out.txt" --fields "$2" --jobs "$3" 2> "$work/messages"
    read -r wall user sys rss < "$work/time"
    awk -v l="$1" -v j="$3" -v n="$count" -v w="$wall" -v u="$user" -v s="$sys" -v r="$rss" \
        'BEGIN { printf "%-30s jobs %d: %6.2f s wall, %6.2f s CPU, %7.0f items/s (%7.0f a CPU second), peak %4.0f MB\n", l, j, w, u + s, n / w, n / (u + s), r / 1024 }'
}

run "every field but OLD20/PLD20" "$older" 1
run "every field but OLD20/PLD20" "$older" 2
run "every field" "$all" 1
run "every field" "$all" 2
