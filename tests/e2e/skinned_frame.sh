#!/usr/bin/env bash
# The main window in the default skin (Slate): the skin engine takes it over,
# its window region cuts the rounded corners of the title (in a screenshot
# the desktop shows there, not the window), and the title bar shows the
# skin's title image instead of the system caption. File > Exit still works
# through the menu bar shown in the skinned band.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init skinned_frame "$1"

SKIN_ART=$E2E_BUILD/../host/skins/slate
[ -f "$SKIN_ART/top.bmp" ] || SKIN_ART=$E2E_ROOT/build/host/skins/slate

# pixel_at FILE X Y: "r,g,b" of one pixel of an image file.
pixel_at() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
        sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'
}

frame_value() {
    probe frame "$E2E_CAPTION" || return 1
    probe_value "$1"
}

step "start"
catalogue_clear
require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
focus_tarnivo
check_soon "the skin engine has taken the window over" 1 frame_value skinned

step "frame and region"
probe window "" "$E2E_CAPTION"
IFS=, read -r wl wt wr wb <<<"$(probe_value rect)"
IFS=, read -r cl ct cr cb <<<"$(probe_value client)"
check_eq "client area size kept" "$((cr - cl))x$((cb - ct))" "580x276"
probe frame "$E2E_CAPTION"
check_eq "a region cut from the border images" "$(probe_value region)" 3
# Slate rounds the top corners only.
check_eq "region corners (tl tr bl br)" "$(probe_value region_corners)" "0011"

step "what the screen shows"
sleep 0.5
shot=$E2E_SHOTS/e2e-$E2E_NAME-frame.png
import -window root "$shot" >/dev/null 2>&1 || _fail "no screenshot"
echo "screenshot: $shot"
# Outside the region the pixel is what lies under the window: the same as
# just beside it, outside the window altogether.
outside=$(pixel_at "$shot" $((wl - 3)) $((wt + 1)))
check_eq "top-left corner pixel belongs to the desktop" "$(pixel_at "$shot" "$wl" "$wt")" "$outside"
check "the window itself starts inside the corner" \
    [ "$(pixel_at "$shot" $((wl + 20)) $((wt + 3)))" != "$outside" ]
# The title bar's middle (clear of the caption text, which ends 92 pixels
# before the title's right end) is the skin's title image, whose middle is
# stretched: every column there has the image's middle column.
top_w=$(identify -format '%w' "$SKIN_ART/top.bmp" 2>/dev/null)
for y in 4 10 16; do
    check_eq "title bar row $y is the skin's image" \
        "$(pixel_at "$shot" $((wr - 60)) $((wt + y)))" "$(pixel_at "$SKIN_ART/top.bmp" $((top_w / 2)) "$y")"
done

step "the menu bar in the skinned band"
menu_exit
check "the program ends through File > Exit" exited "$TARNIVO_PID" 15

e2e_finish
