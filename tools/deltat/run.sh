#!/bin/sh
# Remakes platform/halvor/src/deltat_observed.inc and platform/halvor/tests/data/deltat_reference.csv from the
# delta T tables of Debian's python3-skyfield. Run by hand (as root for the package), never by CI.
set -e
here=$(dirname "$0")
if ! dpkg -s python3-skyfield python3-numpy >/dev/null 2>&1; then
    apt-get update
    apt-get install -y python3-skyfield python3-numpy
fi
/usr/bin/python3 "$here/convert_deltat.py"
