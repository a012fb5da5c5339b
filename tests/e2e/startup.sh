#!/usr/bin/env bash
# Start-up with a small catalogue: the main window appears with its count
# line and an empty result list, holds the hot key and the atom; File >
# Refresh rescans; File > Exit ends the program and gives both back.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init startup "$1"

step "lay out the catalogue"
standard_catalogue

step "start"
require "the hot key is free before start" [ "$(hotkey_state)" = free ]
require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
screenshot "shown"

step "main window"
probe window "" "$E2E_CAPTION"
check_eq "one main window" "$(probe_value count)" 1
check_eq "main window visible" "$(probe_value visible)" 1
client=$(probe_value client)
IFS=, read -r left top right bottom <<<"$client"
check_eq "client area size" "$((right - left))x$((bottom - top))" "580x276"
check_eq "taskbar button shown" "$(taskbar_visible)" 1
probe window "" "Program StartUp"
check_eq "start-up window hidden once the main window is shown" "$(probe_value visible)" 0

step "contents"
check_soon "result list empty at start" "" captions_joined
check_soon "count line" "There are $STANDARD_COUNT shortcuts in your desktop and startmenu " label_text Label6
check_soon "typed text empty" "" label_text Label1
check_eq "instructions" "$(label_text Label3)" \
    "Press any keyword or letter in  program's name which you want to lanuch"
check_eq "keys line" "$(label_text Label4)" "'ESC' to clear,'Enter'  or doble click to lanuch"
check_eq "typed-text prompt" "$(label_text Label5)" "Your key:"
check_eq "hot-key line" "$(label_text Label7)" "Press HotKey(F11) to acitve this software in any time"
check_soon "the result list has the focus" "SysListView32 in $E2E_CAPTION" focused_control

step "hot key and atom held"
check_eq "atom present" "$(atom_present)" 1
check_eq "F11 taken" "$(hotkey_state)" taken

step "File > Refresh picks up a new shortcut"
catalogue_add 16 'Notepad Plus.lnk' "$(marker_copy notepad.exe)"
focus_tarnivo
type_text "no"
menu_pick 0 Home
check_soon "count line after Refresh" \
    "There are $((STANDARD_COUNT + 1)) shortcuts in desktop and startmenu " label_text Label6
check_soon "typed text emptied by Refresh" "" label_text Label1
focus_tarnivo
type_text "notep"
check_soon "the new shortcut is found" "Notepad Plus" captions_joined

step "File > Exit"
menu_exit
check "the program ends" exited "$TARNIVO_PID" 15
check_eq "atom gone after exit" "$(atom_present)" 0
check_eq "F11 free after exit" "$(hotkey_state)" free

e2e_finish
