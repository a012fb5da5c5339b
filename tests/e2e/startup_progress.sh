#!/usr/bin/env bash
# Start-up with a full catalogue of 1000 shortcuts: the start-up window is on
# the screen while the scan runs (a picture is taken mid-scan), and the main
# window counts all of them at the end.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init startup_progress "$1"

step "lay out 1000 shortcuts"
catalogue_clear >/dev/null || e2e_abort "mklink --clear failed"
target=$(marker_copy bulk.exe)
catalogue_add 16 'Bulk\Bulk 0000.lnk' "$target"
desktop=$(special_folder 16)
bulk=$(winepath -u "$desktop\\Bulk" 2>/dev/null | tr -d '\r')
[ -f "$bulk/Bulk 0000.lnk" ] || e2e_abort "no shortcut made in $bulk"
# Copies of one shell-made shortcut are shortcuts the scan reads alike.
for i in $(seq 1 999); do
    cp "$bulk/Bulk 0000.lnk" "$bulk/Bulk $(printf %04d "$i").lnk"
done
check_eq "shortcuts laid out" "$(ls "$bulk" | wc -l)" 1000

step "start and look while the scan runs"
spawn "$(dirname "$TARNIVO_EXE")" "$TARNIVO_EXE"
TARNIVO_PID=$SPAWNED
seen=0
deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ]; do
    probe window "" "Program StartUp" >/dev/null 2>&1
    if [ "$(probe_value visible)" = 1 ]; then
        seen=1
        screenshot "mid-scan"
        break
    fi
    sleep 0.1
done
check_eq "the start-up window shows during the scan" "$seen" 1

step "the scan ends with every shortcut counted"
require "the main window becomes visible" wait_for 120 is_visible
check_soon "count line" "There are 1000 shortcuts in your desktop and startmenu " label_text Label6
probe window "" "Program StartUp"
check_eq "start-up window hidden at the end" "$(probe_value visible)" 0

step "end"
menu_exit
check "the program ends" exited "$TARNIVO_PID" 15
rm -rf "$bulk"
catalogue_clear >/dev/null
e2e_finish
