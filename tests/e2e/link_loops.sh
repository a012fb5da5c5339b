#!/usr/bin/env bash
# Symbolic-link loops in the start menu: a folder holding a link to itself
# and one to its parent. Wine lists such links as folders with the
# reparse-point attribute, as Windows lists junctions; the scan does not
# follow them, so the main window appears in its normal time with every
# shortcut catalogued once.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init link_loops "$1"

step "lay out the catalogue with two link loops"
standard_catalogue
catalogue_add 22 'Programs\Loops\Looped Tool.lnk' "$(marker_copy looped.exe)"
menu=$(special_folder 22)
loops="$WINEPREFIX/drive_c/${menu#C:\\}"
loops="${loops//\\//}/Programs/Loops"
require "the shortcut folder is there from Linux" [ -f "$loops/Looped Tool.lnk" ]
ln -s . "$loops/Self" && ln -s .. "$loops/Up" || e2e_abort "cannot make the links"
# Whatever way the script ends, the loops go before the catalogue is
# cleared (a walk that follows them would never end).
trap 'status=$?; rm -f "$loops/Self" "$loops/Up"; (exit $status); e2e_cleanup' EXIT

step "start"
require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
check_soon "each shortcut counted once" \
    "There are $((STANDARD_COUNT + 1)) shortcuts in your desktop and startmenu " label_text Label6
focus_tarnivo
type_text "looped"
check_soon "the shortcut beside the loops is found once" "Looped Tool" captions_joined

step "File > Refresh with the loops still there"
menu_pick 0 Home
check_soon "count line after Refresh" \
    "There are $((STANDARD_COUNT + 1)) shortcuts in desktop and startmenu " label_text Label6

step "File > Exit"
menu_exit
check "the program ends" exited "$TARNIVO_PID" 15

e2e_finish
