#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Non-zero on any failure.
#   ./test.sh          the normal build
#   ./test.sh asan     the AddressSanitizer/UndefinedBehaviorSanitizer build
set -euo pipefail
cd "$(dirname "$0")"
preset="${1:-default}"
scripts/setup.sh "$preset"
# The sanitizer build runs the window tests too (offscreen, leak detection on).
if [ "$preset" = asan ] && ! ctest --preset asan -N -L window | grep -q 'Total Tests: [1-9]'; then
    echo "test.sh: the sanitizer build has no window tests" >&2
    exit 1
fi
ctest --preset "$preset"
