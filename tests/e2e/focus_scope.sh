#!/usr/bin/env bash
# The scenarios' focus setting stays theirs: after the set-up that every
# scenario runs, the programs they drive follow the X focus, and the rest of
# the prefix (the Windows unit tests run there too) keeps Wine's default,
# under which two windows shown in quick succession do not hand the
# activation back and forth for ever.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init focus_scope "$1"

# reg_value KEY NAME: the value's data as `reg query` reads it, or nothing.
reg_value() {
    timeout 60 "$E2E_ROOT/tools/wine-run.sh" reg query "HKCU\\$1" /v "$2" 2>/dev/null </dev/null |
        tr -d '\r' | awk -v name="$2" '$1 == name { print $NF }'
}

step "the whole prefix"
check_eq "no UseTakeFocus for every program" "$(reg_value 'Software\Wine\X11 Driver' UseTakeFocus)" ""
check_eq "Wine draws the frames" "$(reg_value 'Software\Wine\X11 Driver' Managed)" N

step "the programs the scenarios drive"
for program in Tarnivo.exe SkinGallery.exe frontwin.exe; do
    check_eq "$program follows the X focus" \
        "$(reg_value "Software\\Wine\\AppDefaults\\$program\\X11 Driver" UseTakeFocus)" N
done

e2e_finish
