#!/bin/sh
# Remakes platform/halvor/tests/data/de431_phases.csv from Debian's DE431-derived ephemeris files, then checks the
# reader against the DE405 phases of the repository. Run by hand (as root for the packages), never by CI.
set -e
here=$(dirname "$0")
if ! dpkg -s swe-standard-data libswe2.0 >/dev/null 2>&1; then
    apt-get update
    apt-get install -y swe-standard-data libswe2.0
fi
/usr/bin/python3 "$here/de431_phases.py"
/usr/bin/python3 "$here/de431_phases.py" --check
