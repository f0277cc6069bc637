#!/usr/bin/env bash
# zirtel-batch must load no Qt library: its dynamic dependencies (ldd, transitive) name none.
# Usage: check_no_qt.sh PROGRAM
set -euo pipefail
libs=$(ldd "$1")
# ldd must have listed the libraries at all (the C library is always among them).
grep -q 'libc\.so' <<<"$libs" || { echo "ldd listed nothing:"; echo "$libs"; exit 1; }
if grep -i 'qt' <<<"$libs"; then
    echo "$1 links Qt"
    exit 1
fi
"$1" --version
