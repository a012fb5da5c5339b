#!/usr/bin/env bash
# The result list with 300 shortcuts: the skin's bar lies exactly over the
# list's vertical scroll bar, and scrolling with it (an arrow click, holding
# the arrow, a page click, dragging the thumb to the end) moves the list as
# the system's own bar does; the wheel and the keys still scroll it, and the
# skinned bar follows.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init scroll_bars "$1"

COUNT=300
catalogue_clear >/dev/null || e2e_abort "mklink --clear failed"
# One program per shortcut: the catalogue keeps one shortcut per target.
for ((i = 0; i < COUNT; i++)); do
    cp "$E2E_TOOLS/marker.exe" "$E2E_WORK/bin/tool$(printf %03d "$i").exe"
done
wine_tool 300 "$E2E_TOOLS/mklink.exe" --many 22 'Programs\Many\Tool ' "$COUNT" \
    "$(winpath "$E2E_WORK/bin/tool###.exe")" >/dev/null || e2e_abort "mklink --many failed"

require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
focus_tarnivo
step "type t"
type_text t
check_soon "every shortcut is a result" "$COUNT" eval 'listview_captions | wc -l'

# scroll_read: reads the list's first item in view and its bar into TOP,
# BAR (l,t,r,b on the screen), OVERLAY (1: the skin's overlay covers it
# exactly), and the estimated thumb (TS, TE along the bar) from RANGE, PAGE
# and POS the way the system lays it out (a thumb of at least 6 pixels).
scroll_read() {
    probe scroll "$E2E_CAPTION" || return 1
    TOP=$(probe_value top)
    BAR=$(probe_value bar)
    OVERLAY=$(probe_value overlay)
    IFS=, read -r BL BT BR BB <<<"$BAR"
    BX=$(((BL + BR) / 2))
    local range page pos a pixels size
    range=$(probe_value range) page=$(probe_value page) pos=$(probe_value pos)
    a=$((BR - BL)) pixels=$((BB - BT - 2 * (BR - BL)))
    size=$((pixels * page / range))
    [ "$size" -lt 6 ] && size=6
    TS=$((a + (pixels - size) * pos / (range - page)))
    TE=$((TS + size))
    POS=$pos
}
top_now() { scroll_read >/dev/null && echo "$TOP"; }
pos_now() { scroll_read >/dev/null && echo "$POS"; }
pos_above() { [ "$(pos_now)" -gt "$1" ]; }

require "the scroll state can be read" scroll_read
check_eq "the list starts at the top" "$TOP" 0
check_eq "the list has a vertical bar" "$(probe_value barvisible)" 1
check_eq "an overlay lies exactly over the bar" "$OVERLAY" 1
screenshot "top"

step "click the down arrow"
xdotool mousemove "$BX" $((BB - 6)) click 1
check "one click moves the list down" wait_for 5 pos_above 0
scroll_read
one=$POS
check "the first row is out of view" test "$TOP" -gt 0
screenshot "arrow"

step "hold the down arrow"
xdotool mousemove "$BX" $((BB - 6)) mousedown 1
sleep 1.2
screenshot "holding"
xdotool mouseup 1
sleep 0.5
scroll_read
check "holding repeats the step" test "$POS" -gt $((one * 3))
check "the top index follows" test "$TOP" -gt 7
held=$POS

step "page click below the thumb"
scroll_read
xdotool mousemove "$BX" $((BT + TE + 10)) click 1
check "a page click moves further" wait_for 5 pos_above "$held"
scroll_read
check_eq "by one page" "$POS" $((held + $(probe_value page)))

step "drag the thumb to the end"
scroll_read
xdotool mousemove "$BX" $((BT + (TS + TE) / 2)) mousedown 1
sleep 0.3
xdotool mousemove "$BX" $((BT + (TS + TE) / 2 + 40))
sleep 0.3
screenshot "dragging"
xdotool mousemove "$BX" $((BB + 3))
sleep 0.3
xdotool mouseup 1
sleep 0.5
scroll_read
last=$POS
range=$(probe_value range) page=$(probe_value page)
check_eq "the view reaches its end" "$POS" $((range - page))
check_soon "the result list keeps the focus" "SysListView32 in $E2E_CAPTION" focused_control
probe itemrect "$E2E_CAPTION" $((COUNT - 1))
IFS=, read -r _ t _ b <<<"$(probe_value rect)"
IFS=, read -r _ ct _ cb <<<"$(probe_value list)"
check "the last item is in view after the drag" test "$t" -ge "$ct" -a "$b" -le "$cb"
screenshot "end"

step "the wheel scrolls back up"
xdotool mousemove -- $((BL - 60)) $((BT + 60))
xdotool click --repeat 3 --delay 100 4
sleep 0.5
check "the wheel moves the list up" test "$(pos_now)" -lt "$last"
check_eq "the overlay still covers the bar" "$OVERLAY" 1

step "Home and End keys"
focus_tarnivo
# The list view moves only when the key changes the focused item (Home on
# the focused first item does nothing, skinned or not): End first.
press End
check_soon "End shows the last row" 287 top_now
press Home
check_soon "Home shows the first item" 0 top_now
check_eq "the overlay still covers the bar" "$OVERLAY" 1
screenshot "keys"

step "exit"
probe close "$E2E_CAPTION"
check "the program ends on WM_CLOSE" exited "$TARNIVO_PID" 15

e2e_finish
