#!/usr/bin/env bash
# A hostile neighbour: another process floods Tarnivo and SkinGallery (all
# its windows open, the menus window and the tray icon included) with junk
# messages in the framework's and the engine's private ranges, posted and
# sent (storm.exe; what goes to which window is described there). Both
# programs must live through it, still answer, still draw their skinned
# frame, and hold no more GDI and USER objects than a small margin above
# what they held before.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init message_storm "$1"
gallery_paths
# As TARNIVO_EXE for Tarnivo: another build of the gallery to put under the storm.
GALLERY=${GALLERY_EXE:-$GALLERY}

STORM_SEED=${STORM_SEED:-20261207}
# Objects a program may make or free on its own while it lives (a cached
# brush, a caption font made again): the counts after the storm may exceed
# the counts before by this much, no more.
MARGIN_GDI=20
MARGIN_USER=4

SKIN_ART=$E2E_BUILD/../host/skins/slate
[ -f "$SKIN_ART/top.bmp" ] || SKIN_ART=$E2E_ROOT/build/host/skins/slate
[ -f "$E2E_TOOLS/storm.exe" ] || e2e_abort "helper $E2E_TOOLS/storm.exe is not built"

storm() {
    wine_tool "$1" "$E2E_TOOLS/storm.exe" "${@:2}"
}

# cpu_ticks UNIXPID: user + system clock ticks the process has used.
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null
}

# settle UNIXPID: waits (at most 60 s) until the process has used no CPU for
# a whole second: the messages posted to it have all been handled.
settle() {
    local pid=$1 before after
    local deadline=$((SECONDS + 60))
    after=$(cpu_ticks "$pid")
    while [ "$SECONDS" -lt "$deadline" ]; do
        before=$after
        sleep 1
        after=$(cpu_ticks "$pid")
        [ -n "$after" ] || return 1
        [ "$after" = "$before" ] && return 0
    done
    return 1
}

# title_is_skin XID: the title bar of that top-level X window shows the
# skin's title image in its stretched middle (rows 4, 10 and 16, clear of
# the caption text and the caption buttons).
title_is_skin() {
    local xid=$1 shot=$E2E_WORK/title-$1.png top_w y want got geometry
    local X="" Y="" WIDTH="" HEIGHT="" WINDOW="" SCREEN=""
    geometry=$(xdotool getwindowgeometry --shell "$xid" 2>/dev/null) || { echo "no window $xid"; return 1; }
    eval "$geometry"
    # Active, as the skin's title image is drawn for an active window.
    focus_xwindow "$xid" || return 1
    sleep 0.5
    import -window root "$shot" >/dev/null 2>&1 || return 1
    top_w=$(identify -format '%w' "$SKIN_ART/top.bmp" 2>/dev/null)
    for y in 4 10 16; do
        want=$(pixel_at "$SKIN_ART/top.bmp" $((top_w / 2)) "$y")
        got=$(pixel_at "$shot" $((X + WIDTH - 60)) $((Y + y)))
        [ "$got" = "$want" ] || { echo "row $y: $got, the skin has $want"; return 1; }
    done
    return 0
}

# counts WINPID: "GDI USER" of the process (storm.exe counts).
counts() {
    storm 30 counts "$1" >"$E2E_WORK/counts.out" || return 1
    echo "$(sed -n 's/^gdi=//p' "$E2E_WORK/counts.out") $(sed -n 's/^user=//p' "$E2E_WORK/counts.out")"
}

# skinned_windows WINPID: how many of its windows answer WM_ISSKINNED with 1.
skinned_windows() {
    storm 60 skinned "$1" | sed -n 's/^skinned=//p'
}

# skinned WINPID CAPTION: WM_ISSKINNED's answer from that window.
skinned() {
    probe --pid "$1" frame "$2" >/dev/null || { echo "no answer"; return; }
    probe_value skinned
}

step "start both programs"
standard_catalogue
require "Tarnivo's main window appears" tarnivo_start
require "Tarnivo's main window becomes visible" wait_for 20 is_visible
gallery_spawn Slate --menus
require "the gallery runs" running "$GALLERY_PID"
T_WINPID=$(winpid_of_unix_pid "$TARNIVO_PID")
G_XID=$(xdotool search --name '^SkinGallery - Slate' | head -n 1)
G_CAPTION=$(xdotool getwindowname "$G_XID")
probe pid "$G_CAPTION"
G_WINPID=$(sed -n 's/^pid=\([0-9]*\) .*/\1/p' <<<"$PROBE" | head -n 1)
T_XID=$(xid_of_unix_pid "$TARNIVO_PID")
require "the Windows process ids are known ($T_WINPID, $G_WINPID)" test -n "$T_WINPID" -a -n "$G_WINPID"
settle "$TARNIVO_PID"
settle "$GALLERY_PID"
check "Tarnivo's title shows the skin before the storm" title_is_skin "$T_XID"
check "the gallery's title shows the skin before the storm" title_is_skin "$G_XID"
require "Tarnivo answers before the storm" storm 30 alive "$T_WINPID"
require "the gallery answers before the storm" storm 30 alive "$G_WINPID"
T_SKINNED0=$(skinned_windows "$T_WINPID")
G_SKINNED0=$(skinned_windows "$G_WINPID")
read -r T_GDI0 T_USER0 <<<"$(counts "$T_WINPID")"
read -r G_GDI0 G_USER0 <<<"$(counts "$G_WINPID")"
e2e_log "counted by $(sed -n 's/^method=//p' "$E2E_WORK/counts.out")"
require "the counts can be read (Tarnivo gdi=$T_GDI0 user=$T_USER0, gallery gdi=$G_GDI0 user=$G_USER0)" \
    test "${T_GDI0:-0}" -gt 0 -a "${T_USER0:-0}" -gt 0 -a "${G_GDI0:-0}" -gt 0 -a "${G_USER0:-0}" -gt 0

step "the storm (seed $STORM_SEED)"
storm 150 run "$STORM_SEED" "$T_WINPID" "$G_WINPID" | tee "$E2E_WORK/storm.out"
sent=$(sed -n 's/^messages=//p' "$E2E_WORK/storm.out")
check "at least 100000 messages went out (${sent:-none})" test "${sent:-0}" -ge 100000
settle "$TARNIVO_PID"
settle "$GALLERY_PID"

step "both programs live through it"
require "Tarnivo still runs" running "$TARNIVO_PID"
require "the gallery still runs" running "$GALLERY_PID"
check "Tarnivo's windows all answer" storm 30 alive "$T_WINPID"
check "the gallery's windows all answer" storm 30 alive "$G_WINPID"
check_eq "Tarnivo's main window is skinned" "$(skinned "$T_WINPID" "$E2E_CAPTION")" 1
check_eq "the gallery's main window is skinned" "$(skinned "$G_WINPID" "$G_CAPTION")" 1
check_eq "Tarnivo's skinned windows and controls" "$(skinned_windows "$T_WINPID")" "$T_SKINNED0"
check_eq "the gallery's skinned windows and controls" "$(skinned_windows "$G_WINPID")" "$G_SKINNED0"
check "Tarnivo's title still shows the skin" title_is_skin "$(xid_of_unix_pid "$TARNIVO_PID")"
check "the gallery's title still shows the skin" \
    title_is_skin "$(xdotool search --name '^SkinGallery - Slate' | head -n 1)"
screenshot after

step "no objects left behind"
read -r T_GDI1 T_USER1 <<<"$(counts "$T_WINPID")"
read -r G_GDI1 G_USER1 <<<"$(counts "$G_WINPID")"
e2e_log "Tarnivo: gdi $T_GDI0 -> $T_GDI1, user $T_USER0 -> $T_USER1"
e2e_log "gallery: gdi $G_GDI0 -> $G_GDI1, user $G_USER0 -> $G_USER1"
check "Tarnivo's GDI objects within $MARGIN_GDI of before" test "${T_GDI1:-99999}" -le $((T_GDI0 + MARGIN_GDI))
check "Tarnivo's USER objects within $MARGIN_USER of before" test "${T_USER1:-99999}" -le $((T_USER0 + MARGIN_USER))
check "the gallery's GDI objects within $MARGIN_GDI of before" test "${G_GDI1:-99999}" -le $((G_GDI0 + MARGIN_GDI))
check "the gallery's USER objects within $MARGIN_USER of before" test "${G_USER1:-99999}" -le $((G_USER0 + MARGIN_USER))

e2e_finish
