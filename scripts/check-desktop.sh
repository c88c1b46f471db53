#!/usr/bin/env bash
# Checks of the desktop files and the manual page (CTest runs them).
#   check-desktop.sh entry    FILE.desktop         desktop-file-validate, not even a hint
#   check-desktop.sh metainfo FILE.metainfo.xml    appstreamcli validate --no-net
#   check-desktop.sh man      PAGE PROGRAM         man -l renders PAGE without a warning, and the
#                                                  page names every command of PROGRAM --help
set -euo pipefail
what="$1"
file="$2"
case "$what" in
entry)
    out=$(desktop-file-validate "$file" 2>&1) || { echo "$out"; exit 1; }
    if [ -n "$out" ]; then echo "$out"; exit 1; fi
    ;;
metainfo)
    appstreamcli validate --no-net "$file"
    ;;
man)
    program="$3"
    err=$(mktemp)
    trap 'rm -f "$err"' EXIT
    text=$(MANWIDTH=80 MANPAGER=cat PAGER=cat man --warnings -l "$file" 2>"$err")
    if [ -s "$err" ]; then echo "man -l: warnings:"; cat "$err"; exit 1; fi
    zcat -f "$file" | groff -man -Tutf8 -ww -z 2>"$err"
    if [ -s "$err" ]; then echo "groff: warnings:"; cat "$err"; exit 1; fi
    for section in NAME SYNOPSIS DESCRIPTION OPTIONS COMMANDS; do
        grep -q "^$section" <<<"$text" || { echo "the page has no $section section"; echo "$text"; exit 1; }
    done
    name=$(basename "$program")
    commands=$(env -u TAVR_LIBDIR "$program" --help | sed -n -E "s/^(Usage:)?[[:space:]]+$name[[:space:]]+([a-z][a-z0-9-]*).*/\2/p" | sort -u)
    for c in $commands; do
        grep -q "$name $c" <<<"$text" || { echo "the page does not describe \"$name $c\""; exit 1; }
    done
    ;;
*)
    echo "usage: $0 entry|metainfo|man FILE [PROGRAM]" >&2
    exit 2
    ;;
esac
