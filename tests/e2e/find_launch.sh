#!/usr/bin/env bash
# Type-to-find and launch: typed letters narrow the result list (runs before
# letters with gaps, each in catalogue order, one item per program), Esc
# clears the typed text, Enter selects the first item and a second Enter
# starts it through the shortcut; the window then goes to the tray.
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
check_soon "typed text in capitals" "EX" label_text Label1
screenshot "typed-ex"

step "Esc"
press Escape
check_soon "typed text cleared" "" label_text Label1
check_soon "list kept after Esc" "Explorer Files|Excel Sheet|Hidden Extra" captions_joined

step "letters in no name"
type_text "zq"
check_soon "no item for zq" "" captions_joined
press Escape

step "type EL in capitals"
type_text "EL"
# EL is a run in EXCEL SHEET (first tier); EXPLORER FILES has E then L
# further on (second tier): Excel first although Explorer is catalogued first.
check_soon "items for EL" "Excel Sheet|Explorer Files" captions_joined
check_eq "nothing selected after filtering" "$(listview_marked | joined)" ""
check_soon "typed text" "EL" label_text Label1

step "first Enter selects"
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

step "exit"
probe close "$E2E_CAPTION"
check "the program ends on WM_CLOSE" exited "$TARNIVO_PID" 15

e2e_finish
