#!/usr/bin/env bash
# More results than the list shows at once: after each typed letter the view
# stays at the top with the top result selected, and Enter starts that one,
# not the first item whose caption happens to begin with the typed letters.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init top_result "$1"

SUITES=24
catalogue_clear >/dev/null || e2e_abort "mklink --clear failed"
for ((i = 10; i < 10 + SUITES; i++)); do
    catalogue_add 22 "Programs\\Suite\\Alpha Suite $i.lnk" "$(marker_copy "suite$i.exe")"
done
# Scanned last: the last result for S, and the only caption beginning with S.
catalogue_add 11 'Studio Pro.lnk' "$(marker_copy studio.exe)"

require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
focus_tarnivo
check_soon "the result list has the focus" "SysListView32 in $E2E_CAPTION" focused_control

# item_in_view INDEX: is the item's icon inside the list's client area?
item_in_view() {
    probe itemrect "$E2E_CAPTION" "$1" || return 1
    local l t r b cl ct cr cb
    IFS=, read -r l t r b <<<"$(probe_value rect)"
    IFS=, read -r cl ct cr cb <<<"$(probe_value list)"
    [ "$t" -ge "$ct" ] && [ "$b" -le "$cb" ] && [ "$l" -ge "$cl" ] && [ "$r" -le "$cr" ]
}

for typed in s su; do
    step "type $typed"
    press Escape
    type_text "$typed"
    check_soon "every shortcut is a result for $typed" "$((SUITES + 1))" \
        eval 'listview_captions | wc -l'
    top=$(listview_captions | head -n 1)
    check_eq "the last result is the only caption beginning with S" "$(listview_captions | tail -n 1)" "Studio Pro"
    check_eq "the top result is selected and focused" "$(listview_marked | joined)" "$top 1 1"
    check "the top result is in view" item_in_view 0
    check "the last result is out of view" eval '! item_in_view '"$SUITES"
    screenshot "typed-$typed"
done

step "Enter starts the top result"
number=${top##* }
press Return
check "the top result's program started" wait_for 15 launched "suite$number.exe"
check "the window goes to the tray" wait_for 10 is_hidden
check_eq "Studio Pro was not started" "$(launch_count studio.exe)" 0

step "exit"
probe close "$E2E_CAPTION"
check "the program ends on WM_CLOSE" exited "$TARNIVO_PID" 15

e2e_finish
