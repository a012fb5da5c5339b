#!/usr/bin/env bash
# An empty catalogue and the About window: the count line says 0, typing
# finds nothing; Help > About shows a modal About window, which closes with
# its OK button or its close box and leaves the main window as it was.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init about "$1"

catalogue_clear >/dev/null || e2e_abort "mklink --clear failed"

step "start with no shortcuts"
require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
check_soon "count line" "There are 0 shortcuts in your desktop and startmenu " label_text Label6
focus_tarnivo
type_text "ab"
check_soon "nothing found" "" captions_joined
check_soon "typed text" "AB" label_text Label1

for close_by in ok close-box; do
    step "Help > About, closed by $close_by"
    menu_about
    check "the About window appears" wait_for 10 \
        eval 'probe wait-window About 100 visible'
    probe window "" About
    IFS=, read -r left top right bottom <<<"$(probe_value client)"
    check_eq "About client area" "$((right - left))x$((bottom - top))" "270x165"
    probe window "" "$E2E_CAPTION"
    check_eq "the main window waits while About is shown" "$(probe_value enabled)" 0
    screenshot "about-$close_by"
    if [ "$close_by" = ok ]; then
        press space          # the OK button has the focus
    else
        probe close About    # what the close box sends
    fi
    check "the About window goes" wait_for 10 eval 'probe wait-window About 100 gone'
    probe window "" "$E2E_CAPTION"
    check_eq "main window enabled again" "$(probe_value enabled)" 1
    check_eq "main window still shown" "$(probe_value visible)" 1
    check_soon "typed text kept" "AB" label_text Label1
done

step "exit"
menu_exit
check "the program ends" exited "$TARNIVO_PID" 15

e2e_finish
