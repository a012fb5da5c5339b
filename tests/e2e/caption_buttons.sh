#!/usr/bin/env bash
# The caption buttons and the title bar of a skinned window, driven with the
# mouse on SkinGallery: the close button's hot and pressed looks in both
# skins (pictures in build/screenshots/caption-<skin>-<state>.png), a click
# on close ends the program, a double click on the title maximises and
# restores, a drag by the title moves the window, and a right click on the
# title opens the skinned system menu whose Close ends the program.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init caption_buttons "$1"

gallery_paths
rm -f "$E2E_SHOTS"/caption-*.png

# Both skins put the close button 26 pixels left of the window's right edge,
# 4 below its top, 18 x 18; hot it is red (#bf616a), pressed darker (#9e4b54).
BTN_X=26
BTN_Y=4
BTN=18

# near "R G B" R G B: each channel within 24 of the wanted colour.
near() {
    local r g b
    read -r r g b <<<"$1"
    [ -n "$r" ] && [ $((r > $2 ? r - $2 : $2 - r)) -le 24 ] &&
        [ $((g > $3 ? g - $3 : $3 - g)) -le 24 ] && [ $((b > $4 ? b - $4 : $4 - b)) -le 24 ]
}

not_near() {
    ! near "$@"
}

GALLERY_PID=""
MAIN=""
X=0 Y=0 WIDTH=0 HEIGHT=0
# gallery_start NAME [SKINFILE]: the gallery with its main window focused.
gallery_start() {
    local skin=$1
    gallery_spawn "$@"
    MAIN=$(xdotool search --name "^SkinGallery - $skin" | head -n 1)
    focus_xwindow "$MAIN"
    xdotool windowraise "$MAIN"
    sleep 0.5
}

# Sets X Y WIDTH HEIGHT of the main window.
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$MAIN")"
}

# shot NAME: the screen now, and the title bar cut out as caption-NAME.png.
shot() {
    SHOT=$E2E_WORK/$1.png
    import -window root "$SHOT" >/dev/null 2>&1 || _fail "no screenshot"
    geometry
    convert "$SHOT" -crop "${WIDTH}x30+${X}+${Y}" +repage "$E2E_SHOTS/caption-$1.png"
}

# The plate of the close button, clear of its glyph (left edge, middle row).
plate() {
    geometry
    pixel_at "$SHOT" $((X + WIDTH - BTN_X + 2)) $((Y + BTN_Y + BTN / 2))
}

# shot_until NAME R G B: screenshots until the plate shows about that colour
# (a loaded machine may take a while to repaint), at most 6 seconds.
shot_until() {
    local deadline=$((SECONDS + 6))
    while :; do
        shot "$1"
        near "$(plate)" "$2" "$3" "$4" && return
        [ "$SECONDS" -ge "$deadline" ] && return
        sleep 0.3
    done
}

close_point() {
    geometry
    echo "$((X + WIDTH - BTN_X + BTN / 2)) $((Y + BTN_Y + BTN / 2))"
}

button_states() {
    local skin=$1
    geometry
    read -r cx cy <<<"$(close_point)"
    xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + 200))
    sleep 0.5
    shot "$skin-normal"
    normal=$(plate)
    check "$skin: close button normal is not red ($normal)" not_near "$normal" 191 97 106

    xdotool mousemove --sync "$cx" "$cy"
    shot_until "$skin-hot" 191 97 106
    check "$skin: the pointer over close shows its hot frame ($(plate))" near "$(plate)" 191 97 106

    xdotool mousedown 1
    shot_until "$skin-pressed" 158 75 84
    check "$skin: pressed shows the pressed frame ($(plate))" near "$(plate)" 158 75 84
    # Released away from the button: nothing happens, the button turns normal.
    xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + 200))
    xdotool mouseup 1
    sleep 0.8
    shot "$skin-left"
    check "$skin: after leaving, normal again without a click" [ "$(plate)" = "$normal" ]
    check "$skin: a release elsewhere does not close" running "$GALLERY_PID"

    # Another window in front: the main window shows its inactive look.
    timeout 5 xdotool windowfocus "$(root_xwindow)" >/dev/null 2>&1
    sleep 0.8
    shot "$skin-inactive"
    focus_xwindow "$MAIN"
    sleep 0.5
}

step "slate: the close button's states"
gallery_start Slate
button_states slate

step "slate: a double click on the title maximises, another restores"
geometry
x0=$X y0=$Y w0=$WIDTH h0=$HEIGHT
xdotool mousemove --sync $((X + WIDTH / 2 + 40)) $((Y + 12)) click --repeat 2 --delay 80 1
sleep 1.5
geometry
screen_w=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x.*/\1/p')
check "maximised to the screen's width ($WIDTH of $screen_w)" [ "$WIDTH" -ge "$screen_w" ]
shot slate-maximized
xdotool mousemove --sync $((X + WIDTH / 2 + 40)) $((Y + 12)) click --repeat 2 --delay 80 1
sleep 1.5
geometry
check_eq "restored to its size" "${WIDTH}x${HEIGHT}" "${w0}x${h0}"
check_eq "restored to its place" "$X,$Y" "$x0,$y0"

step "slate: a drag by the title moves the window"
xdotool mousemove --sync $((X + WIDTH / 2 + 40)) $((Y + 12)) mousedown 1
sleep 0.3
xdotool mousemove --sync $((X + WIDTH / 2 + 70)) $((Y + 30))
sleep 0.3
xdotool mousemove --sync $((X + WIDTH / 2 + 100)) $((Y + 52))
sleep 0.3
xdotool mouseup 1
sleep 0.8
geometry
check_eq "moved by the drag" "$X,$Y" "$((x0 + 60)),$((y0 + 40))"

step "slate: a click on close ends the program"
focus_xwindow "$MAIN"
read -r cx cy <<<"$(close_point)"
xdotool mousemove --sync "$cx" "$cy"
sleep 0.4
xdotool click 1
check "the gallery ended" exited "$GALLERY_PID" 15

step "paper: the close button's states"
gallery_start Paper "$(winpath "$PAPER")"
button_states paper

step "paper: a right click on the title opens the system menu; its Close ends the program"
geometry
mx=$((X + WIDTH / 2 - 60))
my=$((Y + 12))
xdotool mousemove --sync "$mx" "$my"
sleep 0.3
import -window root "$E2E_WORK/before-menu.png" >/dev/null 2>&1
xdotool click 3
sleep 1
import -window root "$E2E_WORK/menu.png" >/dev/null 2>&1
cp "$E2E_WORK/menu.png" "$E2E_SHOTS/caption-paper-sysmenu.png"
# The menu opens just below and right of the click: the square there changed.
changed=$(compare -metric AE -extract "100x100+$((mx + 5))+$((my + 5))" \
    "$E2E_WORK/before-menu.png" "$E2E_WORK/menu.png" null: 2>&1)
check "a menu shows at the click ($changed pixels changed)" [ "${changed%.*}" -gt 2000 ]
check "still running while the menu shows" running "$GALLERY_PID"
# Up from no selection picks the last item: Close, after Wine's "About Wine".
xdotool key Up
sleep 0.3
xdotool key Up
sleep 0.3
shot paper-sysmenu-close
xdotool key Return
check "Close in the system menu ended the program" exited "$GALLERY_PID" 15

e2e_finish
