#!/usr/bin/env bash
# Starts Tarnivo under Wine. On a machine without a display it runs on a
# virtual one, saves a screenshot of the main window to build/screenshots/,
# prints its path and ends the program cleanly.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win32=${1:-$root/build/win32}
app=$win32/app
shots=$root/build/screenshots

had_display=no
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    had_display=yes
fi

# The program finds its help page and fallback icon in the current folder.
cd "$app"
if [ "$had_display" = yes ]; then
    exec "$root/tools/wine-run.sh" ./Tarnivo.exe "$@"
fi

source "$root/tools/display.sh"
ensure_display
"$root/tools/wine-run.sh" ./Tarnivo.exe &
runner=$!

window=""
for _ in $(seq 150); do
    window=$(xdotool search --name '^Tarnivo$' 2>/dev/null | head -n 1 || true)
    [ -n "$window" ] && break
    sleep 0.2
done
if [ -z "$window" ]; then
    echo "run: the main window did not appear" >&2
    kill "$runner" 2>/dev/null || true
    exit 1
fi
sleep 1.5   # the first scan and the first paint
mkdir -p "$shots"
import -window root "$shots/tarnivo-main.png"
echo "Screenshot of the main window: $shots/tarnivo-main.png"

# Close it as a user would: Alt+F4 on the focused main window.
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
xdotool key alt+F4
for _ in $(seq 50); do
    kill -0 "$runner" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$runner" 2>/dev/null; then
    echo "run: Tarnivo did not end after Alt+F4" >&2
    kill "$runner" 2>/dev/null || true
    exit 1
fi
wait "$runner" || true
echo "Tarnivo ended."
