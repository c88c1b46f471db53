#!/usr/bin/env bash
# The Windows builds, tested under wine: installs the cross compilers and wine
# (Debian 12), builds build-win32/ and build-win64/ (the five DLLs, tavr180.exe,
# the pictures and pages in bin/, the zip package), runs every test that needs
# no Qt under wine, and compares what tavr180.exe prints, byte for byte and
# with its exit status, with what the Linux program prints for a fixed list of
# commands. Non-zero on any failure.
#   scripts/windows.sh            both builds
#   scripts/windows.sh win32      one of them
set -euo pipefail
cd "$(dirname "$0")/.."
start=$(date +%s)
if [ $# -gt 0 ]; then presets=("$@"); else presets=(win32 win64); fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
PACKAGES=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32 wine64 libgtest-dev cmark
          cmake ninja-build)
missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    # wine32 is an i386 package: the architecture must be known to dpkg.
    dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
    # A mirror caught in a sync can fail one index; what the others give is used.
    $SUDO apt-get update -qq || true
    export DEBIAN_FRONTEND=noninteractive
    if ! $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null; then
        # A library that is Multi-Arch: same needs one version for both
        # architectures; where the security archive's i386 index is missing
        # (a mirror in a sync), the i386 build of each such library that wine32
        # needs and that is installed from that archive comes from its pool at
        # the installed version.
        debs=$(mktemp -d)
        security=(/var/lib/apt/lists/*debian-security*binary-amd64_Packages*)
        /usr/lib/apt/apt-helper cat-file "${security[@]}" |
            awk '/^Package: /{p=$2} /^Version: /{print p, $2}' | LC_ALL=C sort -u >"$debs/security.txt"
        dpkg-query -W -f='${Package} ${Version} ${source:Package} ${Architecture} ${Multi-Arch}\n' |
            awk '$4 == "amd64" && $5 == "same" {print $1, $2, $3}' | LC_ALL=C sort -u >"$debs/installed.txt"
        # Only those wine32 needs.
        apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
            --no-enhances wine32:i386 | grep -E '^[a-z0-9]' | sed 's/:i386$//' | LC_ALL=C sort -u >"$debs/needed.txt"
        LC_ALL=C join "$debs/security.txt" "$debs/installed.txt" | awk '$2 == $3 {print $1, $2, $4}' |
            LC_ALL=C join - "$debs/needed.txt" |
            while read -r pkg version source; do
                apt-cache madison "$pkg:i386" | grep -qF "| $version |" && continue
                prefix=${source:0:1}
                [[ $source == lib* ]] && prefix=${source:0:4}
                file="${pkg}_${version#*:}_i386.deb"
                echo "From the security archive's pool: $file"
                curl -fsS -m 120 -o "$debs/$file" \
                    "http://deb.debian.org/debian-security/pool/updates/main/$prefix/$source/$file" ||
                    rm -f "$debs/$file"
            done
        shopt -s nullglob
        fetched=("$debs"/*.deb)
        shopt -u nullglob
        # The release's own versions preferred, so that an amd64 library is not
        # raised to a security version whose i386 twin cannot be had.
        $SUDO apt-get install -y -qq -t bookworm "${missing[@]}" "${fetched[@]}" >/dev/null
        rm -rf "$debs"
    fi
fi

# The host build: the phase table generator and the picture renderer that the
# cross builds run, and the Linux program the output is compared with.
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
command -v ccache >/dev/null || unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER
if [ ! -x build/bin/tavr180 ] || [ ! -x build/platform/halvor/halvor_phase_table_gen ] ||
    [ ! -x build/tools/moonpics ]; then
    scripts/setup.sh default
fi
cmake --build build -j2 --target tavr180 vrslc dtc kelmar halvor brisel halvor_phase_table_gen moonpics |
    grep -v -E '^\[[0-9]+/[0-9]+\] ' || true
test "${PIPESTATUS[0]}" -eq 0

# A wine of its own, set up once.
export WINEPREFIX=${WINEPREFIX:-${TMPDIR:-/tmp}/tavr-wine}
export WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
fi
# One server for every program, and wine's own services started here: the
# first program would start them, and they would hold its output pipe (ctest
# would wait for them). The server ends a minute after the last program.
wineserver -p 60 2>/dev/null || true # (a server already running keeps its own)
wine cmd /c exit </dev/null >/dev/null 2>&1

# The commands compared: each line is the arguments, "<FILE" last for standard
# input. Error cases are among them (their status and their empty output).
cases=$(mktemp -d)
trap 'rm -rf "$cases"' EXIT
printf '%s\n' "2000-01-01 CE 12:00" "102-25-10-26 VR 14:28" "not a date" "2451545 CJD" "2000-02-30 CE" \
    >"$cases/batch.txt"
COMMANDS=(
    'convert|2000-01-01 CE 12:00|--zone|+01:00'
    'convert|--greenwich|102-25-10-26 VR 14:28'
    'convert|--json|--greenwich|2,451,545 AJD'
    'convert|--json|--zone|GMT + 05:30|-3200-01-01 CE'
    'convert|--greenwich|6000-01-01 CE'
    'convert|--greenwich|--calendar|QLW|--days|40|--minus|2001-12-31 CE 14:28'
    'convert|--log|--zone|+02:00|2001-12-31 CE 14:28'
    'convert|--log|--log-format|date calendar,|--greenwich|1999-08-11 CE 11:03'
    'convert|--batch|--greenwich|<batch.txt'
    'convert|--batch|--json|--greenwich|<batch.txt'
    'convert|--greenwich|not a date'
    'convert|--greenwich|2000-02-30 CE'
    'convert|--greenwich|7000-01-01 CE'
    'convert|--no-such-option|2000-01-01 CE'
    'move|1 SAR month|forward|--times|3|--from|2000-01-31 CE|--greenwich'
    'move|5|back|--times|2|--from|2000-01-01 CE|--json|--greenwich'
    'move|1 CE month|forward|--times|0|--from|2000-01-01 CE'
    'search|next|full-moon|--from|2000-01-01 CE|--count|3|--greenwich'
    'search|previous|eclipse|--from|2000-01-01 CE|--count|2|--json|--greenwich'
    'search|next|total-solar|--from|1999-01-01 CE|--at|48.85,2.35|--greenwich'
    'search|next|coincidence|--from|2000-01-01 CE|--greenwich'
    'search|next|no-such-target|--from|2000-01-01 CE'
    'events|--from|2000-01-01 CE|--to|2000-03-01 CE|--ics'
    'events|--from|2000-01-01 CE|--to|2000-08-01 CE|--kind|eclipses|--json'
    'events|--from|1999-08-01 CE|--to|1999-09-01 CE|--kind|eclipses|--at|48.85,2.35'
    'lunation|2000-01-01 CE|--calendar|VR|--greenwich'
    'lunation|2000-01-01 CE|--calendar|LDT|--json|--greenwich'
    'lunation|2000-01-01 CE|--calendar|CJD'
    '--version'
    '--help'
)

# Runs one command ($2, "|"-separated) with the program $1 (and its runner);
# writes stdout to $3 and the exit status after it on a line of its own. The
# time stamp of an iCalendar file (the moment of the run) is set aside.
run_case() {
    local -a runner=($1) args
    IFS='|' read -r -a args <<<"$2"
    local input=/dev/null
    if [[ ${args[-1]} == \<* ]]; then
        input="$cases/${args[-1]#<}"
        unset 'args[-1]'
    fi
    local status=0
    TZ=UTC "${runner[@]}" "${args[@]}" <"$input" >"$3" 2>/dev/null || status=$?
    sed -i 's/^DTSTAMP:[0-9TZ]*\r$/DTSTAMP:(the moment of the run)\r/' "$3"
    echo "exit status $status" >>"$3"
}

failed=0
summary=()
for preset in "${presets[@]}"; do
    dir="build-$preset"
    t0=$(date +%s)
    [ -f "$dir/build.ninja" ] || cmake --preset "$preset" >/dev/null
    cmake --build "$dir" -j2 | grep -v -E '^\[[0-9]+/[0-9]+\] ' || true
    test "${PIPESTATUS[0]}" -eq 0
    t1=$(date +%s)
    log="$dir/windows-tests.log"
    # A test that fails is run once more, as wine now and then fails to start
    # a program under load; the log names every such test ("Test Failed"
    # before its pass), and one that fails twice fails the run.
    if ctest --test-dir "$dir" -j2 --timeout 900 --output-on-failure --repeat until-pass:2 >"$log" 2>&1; then
        tests="passed"
    else
        tests="FAILED"
        failed=1
    fi
    grep -E 'tests passed|tests failed' "$log" | tail -1
    grep -E 'Test +#[0-9]+: .*\*\*\*Failed' "$log" | sed "s/^/$preset: failed once: /" || true
    grep -E '^\s+[0-9]+ - .*\((Failed|Timeout|Not Run|SEGFAULT|Exception)' "$log" || true
    t2=$(date +%s)
    same=0
    differ=0
    for c in "${COMMANDS[@]}"; do
        run_case build/bin/tavr180 "$c" "$cases/linux.out"
        run_case "wine $dir/bin/tavr180.exe" "$c" "$cases/windows.out"
        if cmp -s "$cases/linux.out" "$cases/windows.out"; then
            same=$((same + 1))
        else
            differ=$((differ + 1))
            failed=1
            echo "$preset: tavr180 ${c//|/ } differs from the Linux program:"
            diff -a "$cases/linux.out" "$cases/windows.out" | head -20 || true
        fi
    done
    echo "$preset: $same of ${#COMMANDS[@]} commands print what the Linux program prints"
    (cd "$dir" && cpack -G ZIP >/dev/null) || failed=1
    ls "$dir"/package/*.zip
    t3=$(date +%s)
    summary+=("$preset: build $((t1 - t0)) s, tests $((t2 - t1)) s ($tests), comparison and package $((t3 - t2)) s")
done
printf '%s\n' "${summary[@]}"
echo "windows.sh: $(($(date +%s) - start)) s in all"
exit $failed
