#!/usr/bin/env bash
# Line and branch coverage of the shared libraries and the calendar core by
# their tests (preset coverage: clang source-based coverage, llvm-cov).
#   scripts/coverage.sh            build, run the tests, print the summary
#   scripts/coverage.sh html       also write build-coverage/html/index.html
# Only the tests of the covered folders are built and run.
set -euo pipefail
cd "$(dirname "$0")/.."

# Covered folders and the prefixes of their test programs.
FOLDERS=(calendars platform app/calendar app/session)
PROGRAMS='^(vrslc|dtc|kelmar|halvor|brisel|calendar|session)_'

dir=build-coverage
if [ ! -f "$dir/build.ninja" ]; then
    scripts/setup.sh coverage >/dev/null 2>&1 || true # packages; the full build is not needed
    cmake --preset coverage >/dev/null
fi
targets=$(ninja -C "$dir" -t targets all | sed -n "s/^tests\/\([a-z_]*_tests\): CXX_EXECUTABLE_LINKER.*/\1/p" |
    grep -E "$PROGRAMS" | sort -u)
cmake --build "$dir" --target vrslc dtc kelmar halvor brisel $targets | grep -v -E '^\[[0-9]+/[0-9]+\] ' || true

rm -rf "$dir/profiles"
mkdir -p "$dir/profiles" "$dir/test-home"
objects=()
for t in $targets; do
    exe="$dir/tests/$t"
    LLVM_PROFILE_FILE="$PWD/$dir/profiles/$t-%p-%m.profraw" TAVR_LIBDIR="$PWD/$dir/bin" HOME="$PWD/$dir/test-home" \
        XDG_CONFIG_HOME="$PWD/$dir/test-home/.config" XDG_DATA_HOME="$PWD/$dir/test-home/.local/share" \
        QT_QPA_PLATFORM=offscreen TZ=UTC "$exe" --gtest_brief=1 >"$dir/profiles/$t.log" 2>&1 ||
        { echo "coverage: $t failed"; tail -20 "$dir/profiles/$t.log"; exit 1; }
    objects+=(-object "$exe")
done
for lib in vrslc dtc kelmar halvor brisel; do objects+=(-object "$dir/bin/lib$lib.so"); done

llvm-profdata merge -sparse "$dir"/profiles/*.profraw -o "$dir/coverage.profdata"
# Everything outside the covered folders is left out of the report: the tests
# themselves, system headers, and the other app/ folders.
ignore='tests/|bench/|/usr/'
for d in app/*/; do
    d=${d%/}
    [[ " ${FOLDERS[*]} " == *" $d "* ]] || ignore+="|$d/"
done
llvm-cov report -instr-profile="$dir/coverage.profdata" -show-region-summary=false -show-instantiation-summary=false \
    -ignore-filename-regex="$ignore" "${objects[@]:1}"
# One line per floor: the libraries, the calendar core, the session layer.
llvm-cov export -summary-only -instr-profile="$dir/coverage.profdata" -ignore-filename-regex="$ignore" \
    "${objects[@]:1}" | python3 -c '
import json, sys
floors = [("libraries", ("calendars/", "platform/", "include/")), ("calendar core", ("app/calendar/",)),
          ("session layer", ("app/session/",))]
files = json.load(sys.stdin)["data"][0]["files"]
for name, prefixes in floors:
    lines = [0, 0]
    branches = [0, 0]
    for f in files:
        path = f["filename"]
        if not any(p in path for p in prefixes):
            continue
        s = f["summary"]
        lines[0] += s["lines"]["covered"]
        lines[1] += s["lines"]["count"]
        branches[0] += s["branches"]["covered"]
        branches[1] += s["branches"]["count"]
    if lines[1]:
        print("%-14s lines %5.1f%% (%d/%d)  branches %5.1f%% (%d/%d)" % (name, 100.0 * lines[0] / lines[1], lines[0],
              lines[1], 100.0 * branches[0] / max(branches[1], 1), branches[0], branches[1]))
'
if [ "${1:-}" = html ]; then
    llvm-cov show -format=html -show-branches=count -output-dir="$dir/html" -instr-profile="$dir/coverage.profdata" \
        -ignore-filename-regex="$ignore" "${objects[@]:1}"
    echo "coverage: $dir/html/index.html"
fi
