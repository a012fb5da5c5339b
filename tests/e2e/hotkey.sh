#!/usr/bin/env bash
# The hot key: after a launch the launcher sits in the tray; with another
# program in front, Shift/Ctrl/Alt+F11 do nothing and F11 brings the window
# back to the front with the result list focused, previous results kept and
# the typed text empty. The minimise command also goes to the tray, and a
# click or double click on the tray icon brings the window back.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init hotkey "$1"

standard_catalogue
require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
focus_tarnivo

step "launch Calc Tool to go to the tray"
type_text "calc"
check_soon "items for calc" "Calc Tool" captions_joined
press Return
require "the window goes to the tray" wait_for 10 is_hidden
check "taskbar button hidden" wait_for 5 taskbar_is 0

step "another program in front"
require "frontwin has the keyboard" frontwin_start
check_eq "frontwin is the foreground window" "$(foreground_caption)" "$FRONT_CAPTION"

step "F11 with modifiers"
press shift+F11
press ctrl+F11
press alt+F11
sleep 1
check_eq "still in the tray after Shift/Ctrl/Alt+F11" "$(window_visible)" 0
check_eq "taskbar button still hidden" "$(taskbar_visible)" 0

step "F11"
frontwin_focus
press F11
check "F11 shows the window" wait_for 10 is_visible
check "taskbar button shown" wait_for 5 taskbar_is 1
check_eq "launcher in front" "$(foreground_caption)" "$E2E_CAPTION"
check_soon "the result list has the focus" "SysListView32 in $E2E_CAPTION" focused_control
check_soon "previous results kept" "Calc Tool" captions_joined
check_soon "typed text empty" "" label_text Label1
screenshot "restored"

step "F11 while shown brings it to the front"
frontwin_focus
check_eq "frontwin in front again" "$(foreground_caption)" "$FRONT_CAPTION"
press F11
check "the launcher comes to the front" wait_for 10 \
    eval '[ "$(foreground_caption)" = "$E2E_CAPTION" ]'
check_eq "still shown" "$(window_visible)" 1

step "the minimise command goes to the tray"
focus_tarnivo
type_text "ca"
check_soon "typed text before minimising" "CA" label_text Label1
probe minimize "$E2E_CAPTION"
check "minimised into the tray" wait_for 10 is_hidden
check "taskbar button hidden" wait_for 5 taskbar_is 0
check_soon "typed text emptied" "" label_text Label1
frontwin_focus
press F11
check "F11 shows it again" wait_for 10 is_visible

for click in single double; do
    step "a $click click on the tray icon brings it back"
    probe minimize "$E2E_CAPTION"
    require "in the tray" wait_for 10 is_hidden
    probe tray-click "$E2E_CAPTION" "$click"
    check "the window is shown" wait_for 10 is_visible
    check "taskbar button shown" wait_for 5 taskbar_is 1
    check_soon "the result list has the focus" "SysListView32 in $E2E_CAPTION" focused_control
done

step "exit"
probe close "$E2E_CAPTION"
check "the program ends on WM_CLOSE" exited "$TARNIVO_PID" 15
check_eq "F11 free after exit" "$(hotkey_state)" free

e2e_finish
