#!/usr/bin/env bash
# Starts SkinGallery under Wine: tools/run-gallery.sh [BUILD_DIR] [SKINFILE]
# With a display it runs for the user (F2 or the Skin menu switches skins).
# Without one it runs on a virtual display, saves a picture of every window
# in every skin to build/screenshots/gallery-<skin>-<window>.png and ends.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win32=${1:-$root/build/win32}
skinfile=${2:-}
exe=$win32/gallery/SkinGallery.exe
shots=$root/build/screenshots
[ -f "$exe" ] || { echo "run-gallery: $exe is not built (make build)" >&2; exit 1; }

args=()
if [ -n "$skinfile" ]; then
    skinfile=$(cd "$(dirname "$skinfile")" && pwd)/$(basename "$skinfile")
    args+=("Z:${skinfile//\//\\}")
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec "$root/tools/wine-run.sh" "$exe" "${args[@]}"
fi

source "$root/tools/display.sh"
ensure_display
raw=$(mktemp -d "${TMPDIR:-/tmp}/gallery.XXXXXX")
trap 'rm -rf "$raw"' EXIT
status=0
"$root/tools/wine-run.sh" "$exe" "${args[@]}" --screenshots "Z:${raw//\//\\}" --all-skins \
    </dev/null || status=$?
mkdir -p "$shots"
for bmp in "$raw"/gallery-*.bmp; do
    [ -f "$bmp" ] || continue
    png=$shots/$(basename "${bmp%.bmp}").png
    convert "$bmp" "$png"
    echo "$png"
done
exit "$status"
