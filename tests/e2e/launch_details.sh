#!/usr/bin/env bash
# What a launch hands over: the started program gets the shortcut's
# arguments and runs in its working folder. Shortcuts whose file names hold
# letters outside the ANSI code page are catalogued, shown exactly, found by
# the rest of their name and started; "Café" keeps its é.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init launch_details "$1"

step "lay out the catalogue"
catalogue_clear >/dev/null || e2e_abort "mklink --clear failed"
detail=$(marker_copy detail.exe)
greek=$(marker_copy greek.exe)
cafe=$(marker_copy cafe.exe)
mkdir -p "$E2E_WORK/bin/work folder"
work=$(winpath "$E2E_WORK/bin/work folder")
record=$(winpath "$E2E_WORK/bin/detail.record")
# marker.exe writes to the file named by its first argument.
catalogue_add 16 'Detail Run.lnk' "$detail" "\"$record\" second \"third arg\"" "" "" "$work"
catalogue_add 16 'Ελλάδα Maps.lnk' "$greek"
catalogue_add 11 'Programs\Χάρτες\Deep Atlas.lnk' "$greek"
catalogue_add 25 'Café Tool.lnk' "$cafe"

require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
check_soon "every shortcut catalogued" "There are 4 shortcuts in your desktop and startmenu " \
    label_text Label6
focus_tarnivo

step "arguments and working folder"
type_text "detail"
check_soon "found" "Detail Run" captions_joined
press Return
check "the program started" wait_for 15 eval '[ -s "$E2E_WORK/bin/detail.record" ]'
started=$(tr -d '\r' <"$E2E_WORK/bin/detail.record")
cmdline=$(sed -n 's/^cmdline=//p' <<<"$started")
e2e_log "command line: $cmdline"
# The program, then the shortcut's own arguments with their quoting. The
# launch also hands the shell the entry's arguments as parameters, and
# Wine's shell appends those to the shortcut's own: they come twice.
expected="\"$detail\" \"$record\" second \"third arg\""
check_eq "program and the shortcut's arguments" "${cmdline:0:${#expected}}" "$expected"
check_eq "then the same again, from the parameters" "${cmdline:${#expected}}" \
    " \"$record\" second \"third arg\""
check_eq "working folder" "$(sed -n 's/^cwd=//p' <<<"$started")" "$work"
check "the window goes to the tray" wait_for 10 is_hidden

step "a name outside the code page"
probe tray-click "$E2E_CAPTION" double
require "the window is back" wait_for 10 is_visible
focus_tarnivo
type_text "atlas"
check_soon "found in a folder with a Greek name" "Deep Atlas" captions_joined
press Escape
type_text "maps"
check_soon "shown with its Greek letters" "Ελλάδα Maps" captions_joined
press Return
check "its program started through the shortcut" wait_for 15 launched greek.exe
check "the window goes to the tray" wait_for 10 is_hidden

step "a name inside the code page"
probe tray-click "$E2E_CAPTION" double
require "the window is back" wait_for 10 is_visible
focus_tarnivo
type_text "caf"
check_soon "Café keeps its é" "Café Tool" captions_joined
press Return
check "Café Tool's program started" wait_for 15 launched cafe.exe
screenshot "after-launches"

step "exit"
probe close "$E2E_CAPTION"
check "the program ends on WM_CLOSE" exited "$TARNIVO_PID" 15

e2e_finish
