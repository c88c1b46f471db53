#!/bin/sh
# Remakes app/astro/tests/data/local_eclipses.csv from Debian's DE431-derived ephemeris files, with the program's
# delta T read from the lunar library of a build (default build/bin/libhalvor.so). Run by hand (as root for the
# packages), never by CI.
set -e
here=$(dirname "$0")
if ! dpkg -s swe-standard-data libswe2.0 >/dev/null 2>&1; then
    apt-get update
    apt-get install -y swe-standard-data libswe2.0
fi
/usr/bin/python3 "$here/local_eclipses.py" "${1:-$here/../../build/bin/libhalvor.so}"
