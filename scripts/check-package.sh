#!/usr/bin/env bash
# Builds the Debian package of a build tree, unpacks it into an empty root and
# runs the installed command line from there, through the bin/ link and from
# a copy moved elsewhere; its output must equal the build tree's program's.
#   scripts/check-package.sh BUILD_DIR
set -euo pipefail
build=$(cd "${1:?usage: $0 BUILD_DIR}" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unset TAVR_LIBDIR LD_LIBRARY_PATH
fail() { echo "check-package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1 \
    || { cat "$tmp/cpack.log"; fail "cpack failed"; }
debs=("$tmp"/out/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb="${debs[0]}"

# Depends names the Debian packages of the libraries the program links.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(sed -E 's/ \([^)]*\)//g; s/, */\n/g' <<<"$depends")
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6; do
    grep -qxF "$p" <<<"$names" || fail "Depends lacks $p: $depends"
done

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
pkg="$root/usr/lib/tavr"
[ -L "$root/usr/bin/tavr180" ] || fail "usr/bin/tavr180 is not a link"
[ "$(readlink "$root/usr/bin/tavr180")" = ../lib/tavr/tavr180 ] || fail "usr/bin/tavr180 points elsewhere"
expected=(
    usr/lib/tavr/tavr180 usr/lib/tavr/tavr180-window
    usr/lib/tavr/libvrslc.so usr/lib/tavr/libdtc.so usr/lib/tavr/libkelmar.so
    usr/lib/tavr/libhalvor.so usr/lib/tavr/libbrisel.so
    usr/lib/tavr/darkmoon.bmp usr/lib/tavr/1stquarter.bmp usr/lib/tavr/fullmoon.bmp
    usr/lib/tavr/lastquarter.bmp usr/lib/tavr/fullmoon@2x.bmp usr/lib/tavr/tavr180.png
    usr/lib/tavr/moon_pics/day1.gif usr/lib/tavr/moon_pics/day32.gif usr/lib/tavr/moon_pics/day32@2x.gif
    usr/share/applications/org.tavr.tavr180.desktop
    usr/share/metainfo/org.tavr.tavr180.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/org.tavr.tavr180.svg
    usr/share/man/man1/tavr180.1.gz
)
for s in 16 22 24 32 48 64 128 256; do expected+=("usr/share/icons/hicolor/${s}x$s/apps/org.tavr.tavr180.png"); done
for f in "${expected[@]}"; do [ -f "$root/$f" ] || fail "the package lacks $f"; done
[ "$(ls "$pkg"/moon_pics/*.gif | wc -l)" -eq 60 ] || fail "the package lacks Moon pictures"

# The same program moved elsewhere and reached through a chain of links.
mkdir -p "$tmp/elsewhere/deep" "$tmp/links"
cp -a "$pkg" "$tmp/elsewhere/deep/"
ln -s "$tmp/elsewhere/deep/tavr/tavr180" "$tmp/links/one"
ln -s "$tmp/links/one" "$tmp/links/two"

cases=(
    "--help"
    "--version"
    "convert|2000-01-01 CE 12:00"
    "convert|--json|102-25-10-26 VR 14:28"
    "convert|--calendar|LDT|--zone|+05:30|--days|100|2451545 CJD"
    "convert|1-13-2 SAR"
    "convert|9999-01-01 CE"
    "convert|--log|--log-format|date calendar,|--zone|-03:30|2001-12-31 CE 14:28"
    "move|1 QLW week|forward|--from|2000-01-01 CE 05:30|--times|3|--json"
    "search|next|total-solar|--from|2024-01-01 CE|--count|2|--json"
    "events|--from|2024-01-01 CE|--to|2024-03-01 CE"
    "lunation|--json|--calendar|LDT|--zone|+05:30|2000-01-20 CE"
    "lunation|6000-01-01 CE|--step|1"
)
run() { # program, arguments...: stdout, stderr and exit status in one text
    local out err rc=0
    out=$(cd "$tmp" && "$@" 2>"$tmp/stderr") || rc=$?
    err=$(cat "$tmp/stderr")
    printf '%s\n--- stderr\n%s\n--- status %s\n' "$out" "$err" "$rc"
}
for c in "${cases[@]}"; do
    IFS='|' read -r -a args <<<"$c"
    want=$(run "$build/bin/tavr180" "${args[@]}")
    for prog in "$root/usr/bin/tavr180" "$tmp/links/two"; do
        got=$(run "$prog" "${args[@]}")
        if [ "$got" != "$want" ]; then
            diff <(echo "$want") <(echo "$got") || true
            fail "$prog ${args[*]}: differs from the build tree's program"
        fi
    done
done
# A library missing from the installed folder is reported, so the run above
# did use the folder's own libraries.
rm "$tmp/elsewhere/deep/tavr/libkelmar.so"
got=$(run "$tmp/links/two" convert "2000-01-01 CE 12:00")
grep -q "libkelmar.so" <<<"$got" || fail "the moved program did not miss its removed library: $got"
# The command line opens no toolkit library at all (needs strace).
if command -v strace >/dev/null; then
    (cd "$tmp" && strace -f -qq -e trace=openat -o "$tmp/cli-trace" "$root/usr/bin/tavr180" convert "2000-01-01 CE" \
        >/dev/null 2>&1) || fail "the installed convert failed under strace"
    grep -F "libhalvor.so" "$tmp/cli-trace" | grep -qvF ENOENT || fail "the trace of convert shows no library opened"
    ! grep -E "libQt6" "$tmp/cli-trace" || fail "tavr180 convert opened a toolkit library"
fi
# The window, started through the bin/ link, reads its pictures and its icon
# from the installed folder (seen in the files it opens; needs strace).
if command -v strace >/dev/null; then
    home="$tmp/home"
    mkdir -p "$home"
    (cd "$tmp" && env HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen \
        timeout 4 strace -f -qq -e trace=openat -o "$tmp/trace" "$root/usr/bin/tavr180" >/dev/null 2>&1) || true
    for f in tavr180.png darkmoon.bmp 1stquarter.bmp fullmoon.bmp lastquarter.bmp libhalvor.so; do
        grep -F "\"$pkg/$f\", O_RDONLY" "$tmp/trace" | grep -qvF ENOENT || fail "the window did not open $pkg/$f"
    done
fi
echo "check-package: $(basename "$deb") ok (Depends: $depends)"
