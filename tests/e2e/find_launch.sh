#!/usr/bin/env bash
# Type-to-find and launch: typed letters narrow the result list (runs before
# letters with gaps, each in catalogue order, one item per program) and the
# top result is selected at once, so Enter starts it; Esc clears the typed
# text; Enter on an empty list only clears the typed text; with the selection
# clicked away, Enter selects the first item and a second Enter starts it; a
# double click starts the item under the pointer. After a launch the window
# goes to the tray.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init find_launch "$1"

standard_catalogue
require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
focus_tarnivo

step "type ex"
type_text "ex"
# All three contain the run EX: catalogue order. Excel Copy starts the same
# program as Excel Sheet and is not listed again; the document shortcut, the
# .LNK file and the .EXE target were never catalogued.
check_soon "items for ex" "Explorer Files|Excel Sheet|Hidden Extra" captions_joined
check_eq "icons are catalogue entries 0 and 2" "$(listview_images | head -n 2 | joined)" "0|2"
check_eq "the top result is selected and focused" "$(listview_marked | joined)" "Explorer Files 1 1"
check_soon "typed text in capitals" "EX" label_text Label1
screenshot "typed-ex"

step "Esc"
press Escape
check_soon "typed text cleared" "" label_text Label1
check_soon "list kept after Esc" "Explorer Files|Excel Sheet|Hidden Extra" captions_joined

step "letters in no name, then Enter on the empty list"
type_text "zq"
check_soon "no item for zq" "" captions_joined
check_soon "typed text ZQ" "ZQ" label_text Label1
press Return
check_soon "Enter on the empty list clears the typed text" "" label_text Label1
sleep 1
check_eq "nothing launched from the empty list" \
    "$(launch_count explorer.exe)$(launch_count calc.exe)$(launch_count excel.exe)$(launch_count extra.exe)" "0000"
check_eq "still shown after Enter on the empty list" "$(window_visible)" 1

step "type EL in capitals"
type_text "EL"
# EL is a run in EXCEL SHEET (first tier); EXPLORER FILES has E then L
# further on (second tier): Excel first although Explorer is catalogued first.
check_soon "items for EL" "Excel Sheet|Explorer Files" captions_joined
check_eq "the top result is selected and focused" "$(listview_marked | joined)" "Excel Sheet 1 1"
check_soon "typed text" "EL" label_text Label1

step "with the selection clicked away, the first Enter selects"
# A click on the list's empty part (right of the last icon) clears the
# selection, as it does in any list view.
probe itemrect "$E2E_CAPTION" 0
IFS=, read -r _ _ list_right list_bottom <<<"$(probe_value list)"
xdotool mousemove --sync $((list_right - 30)) $((list_bottom - 20)) click 1
sleep 0.5
check_soon "nothing selected" "" eval 'listview_marked | grep " 1 [01]$" | joined'
press Return
check_eq "first item selected and focused" "$(listview_marked | joined)" "Excel Sheet 1 1"
check_soon "typed text cleared by Enter" "" label_text Label1
sleep 1
check_eq "nothing launched by the first Enter" "$(launch_count excel.exe)" 0
check_eq "still shown" "$(window_visible)" 1

step "second Enter launches"
press Return
check "Excel Sheet's program started" wait_for 15 launched excel.exe
check "the window goes to the tray" wait_for 10 is_hidden
check "taskbar button hidden" wait_for 5 taskbar_is 0
check_eq "launched once" "$(launch_count excel.exe)" 1
check_eq "no other program started" \
    "$(launch_count explorer.exe)$(launch_count calc.exe)$(launch_count extra.exe)" "000"
check_soon "typed text empty in the tray" "" label_text Label1
check_soon "the list keeps its items" "Excel Sheet|Explorer Files" captions_joined
screenshot "in-tray"

step "a double click launches the item under the pointer"
probe tray-click "$E2E_CAPTION" single
require "shown again from the tray" wait_for 10 is_visible
focus_tarnivo
type_text "l"
# The second item is clicked, not the selected top one.
check_soon "items for l" "Explorer Files|Calc Tool|Excel Sheet" captions_joined
probe itemrect "$E2E_CAPTION" 1
IFS=, read -r x y <<<"$(probe_value center)"
xdotool mousemove --sync "$x" "$y" click --repeat 2 --delay 80 1
check "Calc Tool's program started by the double click" wait_for 15 launched calc.exe
check "the window goes to the tray" wait_for 10 is_hidden
check_eq "launched once" "$(launch_count calc.exe)" 1
check_eq "the top result was not started" "$(launch_count explorer.exe)" 0

step "exit"
probe close "$E2E_CAPTION"
check "the program ends on WM_CLOSE" exited "$TARNIVO_PID" 15

e2e_finish
