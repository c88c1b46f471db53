#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Non-zero on any failure.
#   ./test.sh          the normal build
#   ./test.sh asan     the AddressSanitizer/UndefinedBehaviorSanitizer build
set -euo pipefail
cd "$(dirname "$0")"
preset="${1:-default}"
scripts/setup.sh "$preset"
ctest --preset "$preset"
