#!/bin/sh
# Measures the lunar and solar theories against Debian's DE431-derived ephemeris files and fits their secular
# drifts (compare.py --fit). Run by hand (as root for the packages), never by CI.
set -e
here=$(dirname "$0")
root="$here/../.."
if ! dpkg -s swe-standard-data libswe2.0 >/dev/null 2>&1; then
    apt-get update
    apt-get install -y swe-standard-data libswe2.0
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
g++ -std=c++20 -O2 -I"$root/platform/halvor/src" -I"$root/platform/brisel/src" -I"$root/platform/halvor/include" \
    -I"$root/include" "$here/places.cpp" "$root/platform/halvor/src/moon.cpp" "$root/platform/halvor/src/sun.cpp" \
    "$root/platform/brisel/src/sun_theory.cpp" -o "$out/places"
/usr/bin/python3 "$here/compare.py" "$out/places" "$@"
