#!/usr/bin/env bash
# Installs the R package from a copy of r/zirtel into a scratch library, against the build
# folder's engine libraries, and runs its testthat suite.
# Usage: check_r_package.sh R RSCRIPT SOURCE_DIR BUILD_DIR
set -euo pipefail
r=$1 rscript=$2 source=$3 build=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$source/r/zirtel" "$work/zirtel"
mkdir "$work/lib"
ZIRTEL_SOURCE="$source" ZIRTEL_BUILD="$build" MAKEFLAGS="-j$(nproc)" \
    "$r" CMD INSTALL --no-test-load -l "$work/lib" "$work/zirtel" > "$work/install.log" 2>&1 ||
    { cat "$work/install.log"; exit 1; }
cd "$work/zirtel/tests"
R_LIBS="$work/lib" "$rscript" -e 'library(testthat); library(zirtel); test_dir("testthat", reporter = "summary", stop_on_failure = TRUE)'
