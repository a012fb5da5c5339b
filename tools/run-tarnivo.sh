#!/usr/bin/env bash
# Starts Tarnivo under Wine, after laying out a small catalogue when the
# prefix has no shortcuts (tools/sample-catalogue.sh). On a machine without a
# display it runs on a virtual one, types "e" (TARNIVO_RUN_TYPE to change
# it), saves a screenshot of the main window to build/screenshots/, prints its
# path and ends the program cleanly.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win32=${1:-$root/build/win32}
app=$win32/app
shots=$root/build/screenshots

had_display=no
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    had_display=yes
fi

# A new prefix has an empty start menu: give it a small real catalogue.
made=$("$root/tools/sample-catalogue.sh" "$win32" || echo 0)
if [ "${made:-0}" -gt 0 ]; then
    echo "run: the start menu was empty; made $made shortcuts to Wine's own programs"
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
    # The application's own hidden window has the same title: the main
    # window is the one of real size.
    for candidate in $(xdotool search --onlyvisible --name '^Tarnivo$' 2>/dev/null || true); do
        width=$(xwininfo -id "$candidate" 2>/dev/null | sed -n 's/.*Width: *//p')
        if [ "${width:-0}" -gt 100 ]; then
            window=$candidate
            break
        fi
    done
    [ -n "$window" ] && break
    sleep 0.2
done
if [ -z "$window" ]; then
    echo "run: the main window did not appear" >&2
    kill "$runner" 2>/dev/null || true
    exit 1
fi
sleep 1.5   # the first scan and the first paint
# The picture shows the program at work: a letter typed, the shortcuts that
# contain it listed, more of them than the list shows at once (its scroll
# bar is part of the picture). Xvfb runs no window manager: the X
# focus goes to the window directly.
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 0.5
xdotool type --delay 150 "${TARNIVO_RUN_TYPE-e}"
sleep 1.5
mkdir -p "$shots"
import -window "$window" "$shots/tarnivo-main.png"
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
