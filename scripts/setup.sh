#!/usr/bin/env bash
# Installs what the build needs (Debian 12) and configures and builds the
# given preset. Quiet when everything is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libgif-dev python3 fonts-liberation cmark
          dpkg-dev file librsvg2-bin help2man man-db groff-base desktop-file-utils appstream
          strace)
# The test of the calendar export reads it with a standard iCalendar parser.
PACKAGES+=(python3-icalendar)

preset="${1:-default}"
# The fuzz targets need clang and its libFuzzer runtime; the coverage build
# clang's profile runtime and llvm-cov.
case "$preset" in
fuzz | coverage) PACKAGES+=(clang libclang-rt-14-dev llvm) ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

dir=build
[ "$preset" = default ] || dir="build-$preset"
if [ ! -f "$dir/build.ninja" ]; then
    cmake --preset "$preset" >/dev/null
fi
cmake --build --preset "$preset" | grep -v -E '^\[[0-9]+/[0-9]+\] ' || true
test "${PIPESTATUS[0]}" -eq 0
