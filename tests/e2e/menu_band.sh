#!/usr/bin/env bash
# The main window's menu band in the default skin: Alt+F opens File under
# its band button, Right moves to Help and Right again wraps round to File,
# Esc closes; with a drop-down open the mouse slides from one band button to
# the next; File > Refresh and File > Exit run through the band.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init menu_band "$1"

# popup_field KEY: a value of the visible drop-down ("#32768") of Tarnivo.
popup_field() {
    probe window "#32768" "" || return 1
    [ "$(probe_value visible)" = 1 ] || return 1
    probe_value "$1"
}
popup_left() {
    local rect
    rect=$(popup_field rect) || { echo none; return 0; }
    echo "${rect%%,*}"
}
popup_open() {
    [ "$(popup_left)" != none ]
}
frame_skinned() {
    probe frame "$E2E_CAPTION" || return 1
    probe_value skinned
}
# right_of LEFT: "yes" once a drop-down is open right of LEFT.
right_of() {
    local now
    now=$(popup_left)
    [ "$now" != none ] && [ "$now" -gt "$1" ] && echo yes
}

step "start"
catalogue_clear
require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
focus_tarnivo
check_soon "the skin engine has taken the window over" 1 frame_skinned
probe window "" "$E2E_CAPTION"
IFS=, read -r cl ct _ _ <<<"$(probe_value client)"

step "Alt+F opens File"
press alt+f
require "a drop-down opens" wait_for 5 popup_open
file_left=$(popup_left)
screenshot alt-f
check "File's drop-down opens at the band's left" [ "$file_left" -ge "$((cl - 10))" ]
check "File's drop-down opens at the band's left end" [ "$file_left" -le "$((cl + 20))" ]
check "the drop-down hangs below the band" [ "$(popup_field rect | cut -d, -f2)" -ge "$((ct - 2))" ]

step "Right moves to Help, Right again wraps to File"
press Right
check_soon "Help's drop-down is right of File's" yes right_of "$file_left"
help_left=$(popup_left)
screenshot right-help
press Right
check_soon "back at File" "$file_left" popup_left
press Left
check_soon "Left from File wraps to Help" "$help_left" popup_left

step "Esc closes"
press Escape
check_soon "no drop-down left" none popup_left
check "the window still answers" is_visible

step "the mouse slides between band buttons"
timeout 5 xdotool mousemove --sync 1 1 >/dev/null 2>&1
timeout 5 xdotool mousemove --sync $((cl + 14)) $((ct - 9)) click 1 >/dev/null 2>&1
check_soon "a click on File opens File" "$file_left" popup_left
# Help's button starts where Help's drop-down does.
timeout 5 xdotool mousemove --sync $((help_left + 8)) $((ct - 9)) >/dev/null 2>&1
sleep 0.3
timeout 5 xdotool mousemove --sync $((help_left + 10)) $((ct - 9)) >/dev/null 2>&1
check_soon "moving onto Help opens Help" "$help_left" popup_left
screenshot slide-help
press Escape
check_soon "closed again" none popup_left

step "File > Refresh"
check_soon "count line before" "There are 0 shortcuts in your desktop and startmenu " label_text Label6
menu_pick 0 Home
check_soon "Refresh rescanned" "There are 0 shortcuts in desktop and startmenu " label_text Label6

step "File > Exit"
menu_exit
check "the program ends through File > Exit" exited "$TARNIVO_PID" 15

e2e_finish
