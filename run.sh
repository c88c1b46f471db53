#!/usr/bin/env bash
# Installs what is missing, builds, and starts TAVR. With arguments, runs the
# command-line front end instead: ./run.sh convert "2000-01-01 CE"
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh default >&2
exec build/bin/tavr180 "$@"
