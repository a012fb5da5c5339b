#!/usr/bin/env bash
# The "-hide" switch: started with it, the launcher shows its window and goes
# to the tray at once (no taskbar button); F11 brings it back with the result
# list focused. Coming back from the modal About window is no activation from
# outside: the window stays shown. The switch is matched exactly: "-HIDE" and
# "/hide" leave the window shown.
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

for close_by in ok close-box; do
    step "Help > About closed by $close_by, with -hide"
    menu_about
    check "the About window appears" wait_for 10 eval 'probe wait-window About 100 visible'
    if [ "$close_by" = ok ]; then
        press space          # the OK button has the focus
    else
        probe close About    # what the close box sends
    fi
    check "the About window goes" wait_for 10 eval 'probe wait-window About 100 gone'
    sleep 1.5
    check_eq "the main window stays shown after About ($close_by)" "$(window_visible)" 1
    check_eq "taskbar button stays ($close_by)" "$(taskbar_visible)" 1
done
screenshot "after-about"

step "a launch still goes to the tray"
focus_tarnivo
type_text "calc"
check_soon "items for calc" "Calc Tool" captions_joined
press Return
check "Calc Tool started" wait_for 15 launched calc.exe
check "to the tray after the launch" wait_for 10 is_hidden
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
