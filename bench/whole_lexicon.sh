#!/bin/sh
# End-to-end speed and memory of the whole-lexicon table: every field of the catalogue for every
# form of the shipped lexicon (the forms longer than 18 letters are refused as any item is), with
# one worker and with two, each run three times; prints the wall and CPU time and the peak
# resident memory of each run.
#
#   bench/whole_lexicon.sh [BUILD_DIR] [RUNS]
set -eu
build=${1:-build}
runs=${2:-3}
program=$build/bin/zirtel-batch
data=$(dirname "$0")/../data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cut -f1 "$data/nwfreq_EUS.txt" > "$work/items.txt"
count=$(wc -l < "$work/items.txt")

for jobs in 1 2; do
    for run in $(seq "$runs"); do
        /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$program" "$work/items.txt" \
            -o "$work/out.txt" --fields all --jobs "$jobs" 2> "$work/messages"
        read -r wall user sys rss < "$work/time"
        awk -v j="$jobs" -v r="$run" -v n="$count" -v w="$wall" -v u="$user" -v s="$sys" \
            -v m="$rss" 'BEGIN { printf "every field, %d forms, jobs %d, run %d: %5.2f s wall, %5.2f s CPU, peak %4.0f MB\n", n, j, r, w, u + s, m / 1024 }'
    done
done
echo "load: $(uptime | sed 's/.*load average: //')"
