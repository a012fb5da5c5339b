#!/usr/bin/env bash
# The "-hide" switch: started with it, the launcher shows its window and goes
# to the tray at once (no taskbar button); F11 brings it back with the result
# list focused. The switch is matched exactly: "-HIDE" and "/hide" leave the
# window shown.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init hide_switch "$1"

standard_catalogue

step "start with -hide"
require "the main window is made" tarnivo_start -hide
check "the window goes to the tray" wait_for 15 is_hidden
check "taskbar button hidden" wait_for 5 taskbar_is 0
sleep 1
check_eq "and stays there" "$(window_visible)" 0
check_eq "F11 taken" "$(hotkey_state)" taken
screenshot "hidden"

step "F11 from another program"
require "frontwin has the keyboard" frontwin_start
press F11
check "F11 shows the window" wait_for 10 is_visible
check "taskbar button shown" wait_for 5 taskbar_is 1
check_soon "the result list has the focus" "SysListView32 in $E2E_CAPTION" focused_control
check_soon "result list empty" "" captions_joined
screenshot "restored"
probe close "$E2E_CAPTION"
check "the program ends" exited "$TARNIVO_PID" 15

for switch in -HIDE /hide; do
    step "start with $switch"
    require "the main window appears" tarnivo_start "$switch"
    check "the window is shown" wait_for 20 is_visible
    sleep 2
    check_eq "and stays shown with $switch" "$(window_visible)" 1
    check_eq "taskbar button shown with $switch" "$(taskbar_visible)" 1
    probe close "$E2E_CAPTION"
    check "the program ends" exited "$TARNIVO_PID" 15
done

e2e_finish
