#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Zirtel need.
# Runs apt-get directly as root and through sudo otherwise; does nothing when all are present.
set -euo pipefail
packages=(cmake ninja-build ccache g++ qt6-base-dev qt6-charts-dev qt6-svg-dev libgtest-dev libgmock-dev
    libbenchmark-dev libboost-math-dev libhunspell-dev hunspell-eu librsvg2-dev fonts-dejavu-core)
# The Python module and its tests (Debian's interpreter, /usr/bin/python3).
packages+=(pybind11-dev python3-dev python3-pandas python3-pytest)
if [ "${ZIRTEL_DATA_TOOLS:-0}" = 1 ]; then
    packages+=(hunspell-es apertium-eu-es lttoolbox wamerican wspanish wfrench
        libtext-names-perl espeak-ng)
fi
# CI's extra checks: the clang build, the fuzz targets, the format check and the .deb package.
if [ "${ZIRTEL_CI_TOOLS:-0}" = 1 ]; then
    packages+=(clang libclang-rt-14-dev clang-format dpkg-dev file python3)
    # The R package and its tests.
    packages+=(r-base-dev r-cran-rcpp r-cran-testthat)
    # pip install ./python into a virtual environment, offline.
    packages+=(python3-venv python3-setuptools python3-wheel)
fi
# Looking at the real window: a virtual X server, a window manager, keys and clicks, screenshots.
if [ "${ZIRTEL_SCREEN_TOOLS:-0}" = 1 ]; then
    packages+=(xvfb openbox xdotool imagemagick)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y "${missing[@]}"
