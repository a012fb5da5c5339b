#!/usr/bin/env bash
# A contact sheet of every button, tab, range and container control in every
# state, in both skins: build/screenshots/contact-<skin>.png. SkinGallery's
# states page holds one control per cell at rest (normal, disabled, default,
# down, checked, indeterminate, tabs above and below, bars across and
# upright); the hot, pressed and focused cells are photographed while the
# mouse is really over them, pressed on them, or has just left them after a
# press. A pushed button, bit button and speed button must look different
# hot and pressed from at rest, and a focused button from an unfocused one.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init contact_sheet "$1"

gallery_paths
command -v montage >/dev/null || e2e_abort "montage (ImageMagick) is not installed"
PAGE="Controls: every state"
# A font file for the labels (ImageMagick's default names a font that a
# bare system does not have); Wine brings Tahoma along.
FONT=$(fc-match -f '%{file}' sans 2>/dev/null)
[ -f "$FONT" ] || FONT=/usr/share/wine/fonts/tahoma.ttf
[ -f "$FONT" ] || e2e_abort "no font file for the labels"
rm -f "$E2E_SHOTS"/contact-*.png

# The page's grid (TGalleryControlsForm::StateCell): columns of 118 pixels
# from x 96, rows 40 high from y 8, rows 5 to 7 90 high; cells 114 x 36
# (86 in the tall rows).
cell_x() { echo $((96 + 118 * $1)); }
cell_y() {
    local row=$1
    if [ "$row" -le 5 ]; then echo $((8 + 40 * row)); else echo $((208 + 90 * (row - 5))); fi
}
cell_h() { if [ "$1" -lt 5 ]; then echo 36; else echo 86; fi; }

ROWS=("Button" "Bit button" "Speed button" "Check box" "Radio button")
COLUMNS=("normal" "hot" "pressed" "focused" "disabled")
EXTRA_0=("default") EXTRA_1=("default") EXTRA_2=("down")
EXTRA_3=("checked" "indeterminate") EXTRA_4=("on")
CX=0 CY=0

gallery_start() {
    local skin=$1
    shift
    gallery_open_page "$skin" "$PAGE" "$@"
}

# Client point to screen, for the mouse.
move_to() {
    xdotool mousemove --sync $((CX + $1)) $((CY + $2))
    sleep 0.4
}
# Somewhere on the page where no control is (the row names' column, low).
park() { move_to 20 470; }

# press_and_leave COL ROW: presses the control of that cell and lets go away
# from it, so it keeps the focus and nothing is clicked.
press_and_leave() {
    local x y
    read -r x y <<<"$(centre_of "$1" "$2")"
    move_to "$x" "$y"
    xdotool mousedown 1
    sleep 0.3
    park
    xdotool mouseup 1
    sleep 0.5
}
centre_of() { echo $(($(cell_x "$1") + 40)) $(($(cell_y "$2") + $(cell_h "$2") / 2)); }

shoot() {
    import -window root "$E2E_WORK/$1.png" >/dev/null 2>&1 || _fail "no screenshot $1"
}

# crop SHOT COLUMN ROW OUT [WIDTH_CELLS]: one cell of a screenshot.
crop() {
    local w=$((118 * ${5:-1} - 4))
    convert "$E2E_WORK/$1.png" -crop "${w}x$(cell_h "$3")+$((CX + $(cell_x "$2")))+$((CY + $(cell_y "$3")))" \
        +repage "$4"
}

# differs A B: the two pictures differ in more than a few pixels.
differs() {
    local n
    n=$(compare -metric AE "$1" "$2" null: 2>&1)
    [ "${n%%.*}" -gt 8 ] 2>/dev/null
}

sheet() {
    local skin=$1 dir=$E2E_WORK/$1
    mkdir -p "$dir"
    park
    # The focus on a check box of the focused column while the rest is
    # photographed: a focused push button would take the default look away
    # from the default button.
    local row col x y
    press_and_leave 3 3
    shoot "$skin-rest"

    local args=()
    for row in 0 1 2 3 4; do
        # Hot: the pointer over the control.
        read -r x y <<<"$(centre_of 1 "$row")"
        move_to "$x" "$y"
        shoot "$skin-hot-$row"
        crop "$skin-hot-$row" 1 "$row" "$dir/$row-1.png"
        # Pressed: the button held down (released after leaving: no click).
        read -r x y <<<"$(centre_of 2 "$row")"
        move_to "$x" "$y"
        xdotool mousedown 1
        sleep 0.5
        shoot "$skin-pressed-$row"
        crop "$skin-pressed-$row" 2 "$row" "$dir/$row-2.png"
        park
        xdotool mouseup 1
        sleep 0.4
        # Focused: pressed and left, so the focus stays and nothing is hot.
        if [ "$row" != 2 ]; then
            press_and_leave 3 "$row"
            shoot "$skin-focused-$row"
            crop "$skin-focused-$row" 3 "$row" "$dir/$row-3.png"
        fi
        for col in 0 4 5 6; do
            crop "$skin-rest" "$col" "$row" "$dir/$row-$col.png"
        done
    done

    for row in 0 1 2; do
        check "$skin: ${ROWS[row]} looks different hot" differs "$dir/$row-0.png" "$dir/$row-1.png"
        check "$skin: ${ROWS[row]} looks different pressed" differs "$dir/$row-0.png" "$dir/$row-2.png"
    done
    check "$skin: a focused button looks different" differs "$dir/0-0.png" "$dir/0-3.png"

    # The sheet: one line per control, its states in order.
    for row in 0 1 2 3 4; do
        local extras="EXTRA_$row[@]" names
        names=("${COLUMNS[@]}" "${!extras}")
        for col in 0 1 2 3 4 5 6; do
            if [ "$col" -ge "${#names[@]}" ] || { [ "$row" = 2 ] && [ "$col" = 3 ]; }; then
                args+=(-label "" null:)
            else
                args+=(-label "${ROWS[row]}: ${names[col]}" "$dir/$row-$col.png")
            fi
        done
    done
    crop "$skin-rest" 0 5 "$dir/5-0.png" 2
    crop "$skin-rest" 2 5 "$dir/5-2.png" 2
    crop "$skin-rest" 4 5 "$dir/5-4.png" 2
    args+=(-label "Tabs: on top" "$dir/5-0.png" -label "Tabs: below" "$dir/5-2.png"
        -label "Page control: button tabs" "$dir/5-4.png")
    args+=(-label "" null: -label "" null: -label "" null: -label "" null:)
    local names6=("Progress: horizontal" "Progress: vertical" "Track bar: horizontal"
        "Track bar: vertical" "Up-down: vertical" "Up-down: horizontal")
    for col in 0 1 2 3 4 5; do
        crop "$skin-rest" "$col" 6 "$dir/6-$col.png"
        args+=(-label "${names6[col]}" "$dir/6-$col.png")
    done
    args+=(-label "" null:)
    local names7=("Group box" "Panel" "Status bar" "" "Frame")
    crop "$skin-rest" 2 7 "$dir/7-2.png" 2
    for col in 0 1 2 4; do
        [ "$col" = 2 ] || crop "$skin-rest" "$col" 7 "$dir/7-$col.png"
        args+=(-label "${names7[col]}" "$dir/7-$col.png")
    done
    args+=(-label "" null: -label "" null: -label "" null:)
    montage -font "$FONT" -background "#20242c" -fill "#e0e0e0" -pointsize 12 -geometry '232x86>+4+4' -tile 7x \
        -title "SkinGallery controls, $skin skin" "${args[@]}" "$E2E_SHOTS/contact-$skin.png" ||
        _fail "montage failed for $skin"
    check "$skin: contact sheet written" [ -s "$E2E_SHOTS/contact-$skin.png" ]
}

step "slate"
gallery_start Slate
sheet slate
stop_pid "$GALLERY_PID" 1

step "paper"
if [ -f "$PAPER" ]; then
    gallery_start Paper "$(winpath "$PAPER")"
    sheet paper
    stop_pid "$GALLERY_PID" 1
else
    _fail "$PAPER is not built"
fi

e2e_finish
