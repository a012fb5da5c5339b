#!/usr/bin/env bash
# Remakes the pictures of docs/skin-format.md: small contact sheets (skingen's,
# with each bitmap's name and size under it and magenta shown as a
# checkerboard) of the default skin's bitmaps, a few related ones a sheet.
# Usage: tools/doc-pictures.sh [HOST_BUILD_DIR]   (default build/host)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
host=${1:-$root/build/host}
skingen=$host/tools/skingen/skingen
art=$host/skins/slate
out=$root/docs/skin-format
[ -x "$skingen" ] || { echo "$skingen is not built (make host)" >&2; exit 1; }
[ -d "$art" ] || { echo "$art is missing (make host draws it)" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick's convert is needed" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# sheet NAME BITMAP...: docs/skin-format/NAME.png from those bitmaps.
sheet() {
    local name=$1
    shift
    rm -rf "${work:?}/$name"
    mkdir -p "$work/$name"
    for bmp in "$@"; do
        cp "$art/$bmp" "$work/$name/"
    done
    "$skingen" --contact-sheet "$work/$name" "$work/$name.png" >/dev/null
    # The sheet is a page 1024 wide; keep only what the pictures cover.
    convert "$work/$name.png" -trim +repage -bordercolor white -border 8 "$out/$name.png"
    echo "$out/$name.png"
}

sheet frame left.bmp right.bmp top.bmp bottom.bmp textback.bmp
sheet captionbuttons btnclose.bmp btnmax.bmp btnrestore.bmp btnmin.bmp btnhelp.bmp mdicontrols.bmp
sheet buttons buttons.bmp checkbutton.bmp radiobutton.bmp
sheet menus menubar.bmp menuitem.bmp menubackground.bmp
sheet scrollbars scrollbar.bmp horzscroll.bmp vertscroll.bmp horzthumb.bmp vertthumb.bmp
sheet combo sunkedge.bmp combobutton.bmp extraimages.bmp headerbar.bmp
sheet tabs tabs.bmp tabborder.bmp tabpane.bmp statusbaredges.bmp
sheet containers groupboxedge.bmp groupbox.bmp toolbars.bmp
sheet ranges progress.bmp progresschunk.bmp track.bmp trackvert.bmp thumbhorz.bmp thumbvert.bmp \
    thumbup.bmp thumbdown.bmp thumbleft.bmp thumbright.bmp updownvert.bmp updownvertglyph.bmp \
    updownhorz.bmp updownhorzglyph.bmp
