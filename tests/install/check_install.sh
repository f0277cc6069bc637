#!/usr/bin/env bash
# Installs the build into a scratch prefix and runs the installed zirtel-batch from another
# folder: it must find its data in PREFIX/share/zirtel and analyse the items.
# Usage: check_install.sh BUILD_DIR TEST_DATA_DIR
set -euo pipefail
build=$1
data=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
prefix=$scratch/prefix
for f in bin/zirtel-batch share/zirtel/nwfreq_EUS.txt share/zirtel/ZR_BF5.txt \
         share/zirtel/Instructions.rtf share/zirtel/NOTICE share/man/man1/zirtel-batch.1 \
         share/doc/zirtel/LICENSE; do
    [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
mkdir "$scratch/elsewhere"
cp "$data/items.txt" "$scratch/elsewhere/items.txt"
cd "$scratch/elsewhere"
# "etxe" (item 1 of the list) is in the shipped lexicon; "3zzz" is not an item; every line ends
# with CR LF and the header names the field.
env -u ZIRTEL_DATA_DIR "$prefix/bin/zirtel-batch" items.txt --plain -o out.tsv 2>err.txt || {
    cat err.txt; exit 1; }
head -1 out.tsv | grep -qx $'Sarrera\tH_MAIZT' || { echo "bad header"; cat out.tsv; exit 1; }
grep -qE $'^etxe\t[0-9]+\\.[0-9]{2}$' out.tsv || { echo "etxe not measured"; cat out.tsv; exit 1; }
# Every mode finds the installed data the same way: --generate too.
printf 'mendi\n' >templates.txt
env -u ZIRTEL_DATA_DIR "$prefix/bin/zirtel-batch" --generate templates.txt -n 2 --seed 1 \
    -o words.tsv 2>err.txt || { echo "--generate found no data"; cat err.txt; exit 1; }
head -1 words.tsv | grep -q $'^template\tpseudoword\t' || { cat words.tsv; exit 1; }
# The hand-made lexicon through $ZIRTEL_DATA_DIR is not used while the installed data is there,
# and is used once the installed lexicon is gone.
ZIRTEL_DATA_DIR=$data "$prefix/bin/zirtel-batch" items.txt --plain -o out2.tsv 2>/dev/null
cmp -s out.tsv out2.tsv || { echo "ZIRTEL_DATA_DIR won over the installed data"; exit 1; }
rm "$prefix/share/zirtel/nwfreq_EUS.txt"
ZIRTEL_DATA_DIR=$data "$prefix/bin/zirtel-batch" items.txt --plain -o out3.tsv 2>/dev/null
grep -qx $'etxe\t120.50' out3.tsv || { echo "ZIRTEL_DATA_DIR not used"; cat out3.tsv; exit 1; }
if [ -x "$prefix/bin/zirtel" ]; then
    [ -e "$prefix/share/applications/zirtel.desktop" ] || { echo "no .desktop entry"; exit 1; }
    [ -e "$prefix/share/icons/hicolor/scalable/apps/zirtel.svg" ] || { echo "no icon"; exit 1; }
fi
echo "installed and ran from $scratch/elsewhere"
