#!/usr/bin/env bash
# Popup menus end to end: SkinGallery's context menu, opened with a right
# click in its main window, shows the skin's menu border in both built-in
# skins (the popup opens with its top-left corner at the click); Tarnivo's
# own File drop-down shows the default skin's border too.
source "$(dirname "$0")/lib.sh"
e2e_init popup_menus "$1"

GALLERY=$E2E_BUILD/gallery/SkinGallery.exe
[ -f "$GALLERY" ] || e2e_abort "$GALLERY is not built"
SKINS=$(dirname "$E2E_BUILD")/host/skins
[ -d "$SKINS/slate" ] || SKINS=$E2E_ROOT/build/host/skins

# pixel IMAGE X Y: "r g b" of one pixel.
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

popup_open() {
    local shot=$E2E_WORK/probe.png
    import -window root "$shot" >/dev/null 2>&1 || return 1
    [ "$(pixel "$shot" "$1" "$2")" = "$3" ]
}

spawn "$E2E_BUILD/gallery" "$GALLERY"
gallery_pid=$SPAWNED
wait_for 60 sh -c "xdotool search --name '^SkinGallery - Slate' >/dev/null" ||
    e2e_abort "the gallery's main window did not appear"
main_window=$(xdotool search --name '^SkinGallery - ' | head -n 1)
# At start the gallery activates its windows one at a time.
sleep 3

for skin in slate paper; do
    step "$skin: the context menu shows the skin's menu border"
    bg=$SKINS/$skin/menubackground.bmp
    require "the skin's menu background exists" test -f "$bg"
    edge=$(pixel "$bg" 0 0)
    fill=$(pixel "$bg" 1 1)
    focus_xwindow "$main_window"
    eval "$(xdotool getwindowgeometry --shell "$main_window")"
    # Below the controls of the main window, in its client area.
    x=$((X + 40))
    y=$((Y + HEIGHT - 40))
    xdotool mousemove "$x" "$y"
    sleep 0.3
    xdotool click 3
    check "$skin: the popup's corner has the skin's edge ($edge)" wait_for 10 popup_open "$x" "$y" "$edge"
    shot=$E2E_SHOTS/e2e-popup_menus-$skin.png
    import -window root "$shot" >/dev/null 2>&1
    e2e_log "screenshot: $shot"
    check_eq "$skin: inside the edge, the skin's fill" "$(pixel "$shot" $((x + 1)) $((y + 1)))" "$fill"
    check_eq "$skin: down the left border" "$(pixel "$shot" "$x" $((y + 20)))" "$edge"
    xdotool key Escape
    sleep 0.5
    if [ "$skin" = slate ]; then
        focus_xwindow "$main_window"
        xdotool key F2
        wait_for 20 sh -c "xdotool search --name '^SkinGallery - Paper' >/dev/null" ||
            e2e_abort "F2 did not switch the gallery to the second skin"
    fi
done

focus_xwindow "$main_window"
xdotool key alt+F4
check "the gallery ends on Alt+F4" exited "$gallery_pid" 20

step "Tarnivo: the File drop-down shows the default skin's menu border"
bg=$SKINS/slate/menubackground.bmp
edge=$(pixel "$bg" 0 0)
fill=$(pixel "$bg" 1 1)
catalogue_clear
require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
xid=$(xid_of_unix_pid "$TARNIVO_PID")
probe --pid "$(winpid_of_unix_pid "$TARNIVO_PID")" window "" "$E2E_CAPTION"
IFS=, read -r left top _ _ <<<"$(probe_value client)"
focus_xwindow "$xid"
xdotool mousemove --sync 1 1 >/dev/null 2>&1
xdotool mousemove --sync $((left + 14)) $((top - 9)) click 1 >/dev/null 2>&1
drop_down_shown() {
    probe window "#32768" "" >/dev/null 2>&1 && [ "$(probe_value visible)" = 1 ]
}
if check "the drop-down opens" wait_for 10 drop_down_shown; then
    IFS=, read -r px py _ _ <<<"$(probe_value rect)"
    sleep 0.5
    shot=$E2E_SHOTS/e2e-popup_menus-tarnivo-file.png
    import -window root "$shot" >/dev/null 2>&1
    e2e_log "screenshot: $shot"
    check_eq "its corner has the skin's edge" "$(pixel "$shot" "$px" "$py")" "$edge"
    check_eq "inside the edge, the skin's fill" "$(pixel "$shot" $((px + 1)) $((py + 1)))" "$fill"
fi
press Escape
press Escape
menu_exit
check "Tarnivo ends through File > Exit" exited "$TARNIVO_PID" 20
e2e_finish
