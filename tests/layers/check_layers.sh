#!/bin/sh
# The engine's folders include only folders below them (cmake/CoreLayers.cmake): the check passes
# on the sources, and fails, naming the file and the folder, on a copy where the text folder
# includes the analysis folder, or measures includes the neighbours beside it.
#   tests/layers/check_layers.sh SOURCE_DIR
set -eu
src=$1
check() { cmake -DZIRTEL_CORE_DIR="$1" -P "$src/cmake/CoreLayers.cmake"; }
check "$src/src/core"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for wrong in "text/latin1.cpp analysis/workspace.h" "measures/bigram_measures.cpp neighbours/neighbour_search.h"; do
    set -- $wrong
    rm -rf "$work/core"
    cp -r "$src/src/core" "$work/core"
    printf '#include "core/%s"\n' "$2" >>"$work/core/$1"
    if check "$work/core" >"$work/out" 2>&1; then
        echo "an include of core/$2 in core/$1 was let through"
        exit 1
    fi
    folder=$(dirname "$2")
    grep -q "src/core/$1 includes core/$folder, which is not below" "$work/out" || {
        cat "$work/out"
        exit 1
    }
done
echo "the engine's folders include only the folders below them"
