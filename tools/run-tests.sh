#!/usr/bin/env bash
# Runs every test: the native tree (sanitizers) first, then the Windows tree
# under Wine. Ends with CTest's summary; fails when any test fails.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
host=$1
win32=$2

source "$root/tools/display.sh"
ensure_display
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEARCH=win32 WINEDEBUG=-all

# Make the prefix once, then keep one wineserver alive for the whole run:
# every test program then starts in a fraction of the time.
"$root/tools/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
wineserver -p >/dev/null 2>&1 || true

status=0
(cd "$host" && ctest --output-on-failure -j2) || status=1
(cd "$win32" && ctest --output-on-failure) || status=1

wineserver -k >/dev/null 2>&1 || true
exit $status
