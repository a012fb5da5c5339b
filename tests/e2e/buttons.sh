#!/usr/bin/env bash
# The skinned buttons, check boxes and radio buttons of SkinGallery's first
# control page, driven with the mouse and the keyboard in both skins: a click
# inside clicks once, a press released after leaving does not, Space and
# Enter click the default button, check boxes and radio buttons toggle. The
# page's caption reports every click ("[Default 2]", "[Unchecked checked]").
# Pictures of each state: build/screenshots/buttons-<skin>-<state>.png.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init buttons "$1"

gallery_paths
rm -f "$E2E_SHOTS"/buttons-*.png
PAGE="Controls: buttons, text, lists, ranges"

GALLERY_PID=""
PAGE_XID=""
CX=0 CY=0   # the page's client origin on the screen

gallery_start() {
    local skin=$1
    shift
    gallery_open_page "$skin" "$PAGE" "$@"
}

title() {
    xdotool getwindowname "$PAGE_XID"
}

# What the page's caption reports last ("" before any click).
report() {
    title | sed -n 's/.*\[\(.*\)\]$/\1/p'
}

# at X Y: screen point of a client point of the page.
at() {
    echo "$((CX + $1)) $((CY + $2))"
}

move() {
    # shellcheck disable=SC2046
    xdotool mousemove --sync $(at "$1" "$2")
    sleep 0.4
}

click() {
    move "$1" "$2"
    xdotool click 1
    sleep 0.6
}

# shot SKIN STATE: the buttons column of the page.
shot() {
    local full=$E2E_WORK/$1-$2.png
    import -window root "$full" >/dev/null 2>&1 || _fail "no screenshot"
    convert "$full" -crop "210x400+$CX+$CY" +repage "$E2E_SHOTS/buttons-$1-$2.png"
    SHOT=$full
}

# client_pixel X Y: the colour at a client point in the last shot.
client_pixel() {
    pixel_at "$SHOT" $((CX + $1)) $((CY + $2))
}

scenario() {
    local skin=$1
    # The default button: 10,26 90 x 25; the disabled one beside it.
    move 150 480
    shot "$skin" normal
    local idle
    idle=$(client_pixel 14 38)
    move 55 38
    shot "$skin" hot
    check "$skin: the pointer over the button changes its face" \
        [ "$(client_pixel 14 38)" != "$idle" ]
    xdotool mousedown 1
    sleep 0.5
    shot "$skin" pressed
    local pressed
    pressed=$(client_pixel 14 38)
    xdotool mouseup 1
    sleep 0.6
    check_eq "$skin: press and release inside clicks once" "$(report)" "Default 1"
    shot "$skin" focused

    # Pressed, then the pointer leaves before the release: no click.
    xdotool mousedown 1
    sleep 0.3
    move 150 480
    xdotool mouseup 1
    sleep 0.6
    check_eq "$skin: a release after leaving does not click" "$(report)" "Default 1"
    shot "$skin" left

    # The keyboard: the button has the focus from the click.
    xdotool key space
    sleep 0.6
    check_eq "$skin: Space clicks the focused button" "$(report)" "Default 2"
    xdotool key Return
    sleep 0.6
    check_eq "$skin: Enter clicks the default button" "$(report)" "Default 3"

    # The disabled button does not click.
    click 150 38
    check_eq "$skin: the disabled button does not click" "$(report)" "Default 3"

    # Check boxes: "Unchecked" at 10,78, "Grayed" at 10,98, 190 x 18. The
    # gallery's boxes allow the grayed state: a click steps unchecked,
    # grayed, checked, unchecked.
    shot "$skin" checks-before
    local box
    box=$(client_pixel 12 83)
    click 40 87
    check_eq "$skin: a click steps the box to grayed" "$(report)" "Unchecked grayed"
    shot "$skin" checks-grayed
    check "$skin: the grayed box looks different" [ "$(client_pixel 12 83)" != "$box" ]
    xdotool key space
    sleep 0.6
    check_eq "$skin: Space steps it to checked" "$(report)" "Unchecked checked"
    shot "$skin" checks-checked
    check "$skin: the checked box looks different" [ "$(client_pixel 12 83)" != "$box" ]
    xdotool key space
    sleep 0.6
    check_eq "$skin: Space unchecks it again" "$(report)" "Unchecked unchecked"
    shot "$skin" checks-unchecked
    check_eq "$skin: and it looks unchecked again" "$(client_pixel 12 83)" "$box"
    click 40 107
    check_eq "$skin: a grayed box steps to checked" "$(report)" "Grayed checked"

    # Radio buttons in the group box (10,142): "Radio two" at 10,40 inside.
    local radio
    radio=$(client_pixel 23 190)
    click 60 191
    check_eq "$skin: a click selects radio two" "$(report)" "Radio two on"
    shot "$skin" radio
    check "$skin: radio two looks selected" [ "$(client_pixel 23 190)" != "$radio" ]
    check_eq "$skin: radio one looks as radio two did" "$(client_pixel 23 168)" "$radio"

    # Speed buttons (10,356 flat; 42,356) and the bit button (80,356).
    move 150 480
    shot "$skin" speed-idle
    move 24 370
    shot "$skin" speed-hot
    click 24 370
    check_eq "$skin: the flat speed button clicks" "$(report)" "Flat 1"
    click 56 370
    check_eq "$skin: the raised speed button clicks" "$(report)" "Raised 1"
    click 140 370
    check_eq "$skin: the bit button clicks once" "$(report)" "Bit button 1"
    move 150 480
    shot "$skin" final
    [ -n "$pressed" ] || _fail "no pixel read"
}

step "slate: buttons, check boxes and radio buttons"
gallery_start Slate
scenario slate
stop_pid "$GALLERY_PID" 1

step "paper: the same"
if [ -f "$PAPER" ]; then
    gallery_start Paper "$(winpath "$PAPER")"
    scenario paper
    stop_pid "$GALLERY_PID" 1
else
    _fail "$PAPER is not built"
fi

e2e_finish
