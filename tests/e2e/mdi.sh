#!/usr/bin/env bash
# SkinGallery's MDI frame in both built-in skins, driven as a user does:
# Window > Close all and New three times, a double click on the active
# document's title maximizes it and its minimize, restore and close buttons
# appear at the right end of the frame's menu band; the band's close button
# closes that document only; Tile and Cascade bring the others back to their
# own frames; Close all empties the frame and the band shows its menu alone.
source "$(dirname "$0")/lib.sh"
e2e_init mdi "$1"

GALLERY=$E2E_BUILD/gallery/SkinGallery.exe
[ -f "$GALLERY" ] || e2e_abort "$GALLERY is not built"
FRAME="MDI frame"

mdi_field() {
    probe mdi "$FRAME" || { echo "<unreadable>"; return 1; }
    probe_value "$1"
}
frame_xid() {
    xdotool search --name "^$FRAME" 2>/dev/null | head -n 1
}
main_title() {
    xdotool search --name '^SkinGallery - ' getwindowname 2>/dev/null | head -n 1 | cut -d' ' -f3
}

# window_menu KEY: the band's Window button (just above the client area at
# its left), then the item's access key.
window_menu() {
    probe mdi "$FRAME"
    local cl ct
    IFS=, read -r cl ct _ _ <<<"$(probe_value client)"
    # From elsewhere: the band button sees the pointer arrive, as a user's.
    timeout 5 xdotool mousemove --sync 1 1 >/dev/null 2>&1
    sleep 0.2
    timeout 5 xdotool mousemove --sync $((cl + 14)) $((ct - 9)) >/dev/null 2>&1
    sleep 0.3
    timeout 5 xdotool click 1 >/dev/null 2>&1
    sleep 0.6
    press "$1"
}

# band_strip PNG OUT: the right half of the menu band, from a screenshot.
band_strip() {
    local cl ct cr
    IFS=, read -r cl ct cr _ <<<"$BAND_CLIENT"
    local half=$(((cr - cl) / 2))
    convert "$1" -crop "${half}x16+$((cl + half))+$((ct - 17))" +repage "$2"
}

# changed_box A B: "WxH+X+Y" of the pixels that differ between two strips.
changed_box() {
    convert "$1" "$2" -compose difference -composite -threshold 3% -format '%@' info: 2>/dev/null
}

# client_part PNG GEOMETRY NAME: that part of a screenshot, as a file.
client_part() {
    convert "$1" -crop "$2" +repage "$E2E_WORK/part-$3.png"
    echo "$E2E_WORK/part-$3.png"
}

frame_shot() {
    local out=$1 rect
    rect=$(mdi_field rect)
    IFS=, read -r l t r b <<<"$rect"
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$out" >/dev/null 2>&1
}

run_skin() {
    local skin=$1 xid
    step "$skin: three documents"
    xid=$(frame_xid)
    require "$skin: the MDI frame is on the screen" test -n "$xid"
    focus_xwindow "$xid"
    window_menu l
    check_soon "$skin: Close all leaves no document" 0 mdi_field children
    for _ in 1 2 3; do
        window_menu n
    done
    check_soon "$skin: New three times" 3 mdi_field children
    BAND_CLIENT=$(mdi_field client)
    import -window root "$E2E_WORK/$skin-plain.png"

    step "$skin: a double click on the active document's title maximizes it"
    local l t r
    IFS=, read -r l t r _ <<<"$(mdi_field active_rect)"
    timeout 5 xdotool mousemove --sync $(((l + r) / 2)) $((t + 6)) click --repeat 2 --delay 80 1 \
        >/dev/null 2>&1
    check_soon "$skin: the active document is maximized" 1 mdi_field zoomed
    sleep 0.5
    import -window root "$E2E_WORK/$skin-max.png"
    frame_shot "$E2E_SHOTS/mdi-$skin-maximized.png"
    band_strip "$E2E_WORK/$skin-plain.png" "$E2E_WORK/$skin-band-plain.png"
    band_strip "$E2E_WORK/$skin-max.png" "$E2E_WORK/$skin-band-max.png"
    local box bw bh bx by
    box=$(changed_box "$E2E_WORK/$skin-band-plain.png" "$E2E_WORK/$skin-band-max.png")
    IFS='x+' read -r bw bh bx by <<<"$box"
    local strip_w
    strip_w=$(identify -format '%w' "$E2E_WORK/$skin-band-plain.png")
    e2e_log "$skin: the band changed in $box of a ${strip_w}-pixel strip"
    check "$skin: three buttons' width drawn in the band ($box)" test "${bw:-0}" -ge 30 -a "${bw:-0}" -le 90
    check "$skin: at the band's right end" test $((strip_w - ${bx:-0} - ${bw:-0})) -le 16
    check "$skin: the buttons have the skin's colours" \
        test "$(convert "$E2E_WORK/$skin-band-max.png" -crop "${bw}x${bh}+${bx}+${by}" -format '%k' info:)" -ge 3

    step "$skin: the band's close button closes the active document only"
    local w=$(((bw - 8) / 3)) cl ct cr
    IFS=, read -r cl ct cr _ <<<"$BAND_CLIENT"
    local x=$((cl + (cr - cl) / 2 + bx + bw - w / 2)) y=$((ct - 17 + by + bh / 2))
    local closed
    closed=$(mdi_field active)
    timeout 5 xdotool mousemove --sync "$x" "$y" click 1 >/dev/null 2>&1
    check_soon "$skin: two documents remain" 2 mdi_field children
    check "$skin: the closed one was the active one ($closed)" test "$(mdi_field active)" != "$closed"
    check_eq "$skin: the next one comes up maximized" "$(mdi_field zoomed)" 1
    sleep 0.5
    frame_shot "$E2E_SHOTS/mdi-$skin-next.png"
    import -window root "$E2E_WORK/$skin-next.png"
    # A document fills the client the same way however it came to be
    # maximized: its label at the top left is drawn whole, not left as the
    # cascade had it, and right of its controls (they end 200 pixels in)
    # there is nothing but the form's colour.
    # The document's client is the MDI client inside its 2-pixel sunken edge.
    local cb shot
    IFS=, read -r cl ct cr cb <<<"$BAND_CLIENT"
    cl=$((cl + 2)) ct=$((ct + 2)) cr=$((cr - 2)) cb=$((cb - 2))
    local label="130x30+$cl+$ct" plain="$((cr - cl - 205))x$((cb - ct))+$((cl + 205))+$ct"
    box=$(changed_box "$(client_part "$E2E_WORK/$skin-max.png" "$label" "$skin-label-max")" \
        "$(client_part "$E2E_WORK/$skin-next.png" "$label" "$skin-label-next")")
    check_eq "$skin: its label is drawn as on the first maximize ($box)" "${box%%x*}" 0
    check "$skin: the label has its text" \
        test "$(convert "$E2E_WORK/part-$skin-label-next.png" -format '%k' info:)" -ge 2
    for shot in max next; do
        check_eq "$skin: plain client right of the controls ($shot)" \
            "$(convert "$(client_part "$E2E_WORK/$skin-$shot.png" "$plain" "$skin-plain-$shot")" -format '%k' info:)" 1
    done

    step "$skin: Tile and Cascade"
    window_menu t
    check_soon "$skin: Tile restores the documents" 0 mdi_field zoomed
    check_eq "$skin: both still there" "$(mdi_field children)" 2
    sleep 0.5
    frame_shot "$E2E_SHOTS/mdi-$skin-tiled.png"
    import -window root "$E2E_WORK/$skin-tiled.png"
    band_strip "$E2E_WORK/$skin-tiled.png" "$E2E_WORK/$skin-band-tiled.png"
    box=$(changed_box "$E2E_WORK/$skin-band-plain.png" "$E2E_WORK/$skin-band-tiled.png")
    check_eq "$skin: no document buttons in the band after Tile ($box)" "${box%%x*}" 0
    window_menu c
    check_soon "$skin: Cascade keeps them restored" 0 mdi_field zoomed
    check_eq "$skin: and both there" "$(mdi_field children)" 2

    step "$skin: Close all"
    window_menu l
    check_soon "$skin: no document left" 0 mdi_field children
    check "$skin: the frame is still there" test -n "$(frame_xid)"
}

spawn "$E2E_BUILD/gallery" "$GALLERY"
gallery_pid=$SPAWNED
wait_for 60 sh -c "xdotool search --name '^SkinGallery - Slate' >/dev/null" ||
    e2e_abort "the gallery's main window did not appear"
# The gallery activates its windows one at a time at start; let that settle.
sleep 3
main_window=$(xdotool search --name '^SkinGallery - ' | head -n 1)

run_skin slate
focus_xwindow "$main_window"
xdotool key F2
check_soon "F2 goes to the next skin" "Paper" main_title
sleep 2
run_skin paper

screenshot end >/dev/null 2>&1 || true
focus_xwindow "$main_window"
xdotool key alt+F4
check "the gallery ends on Alt+F4" exited "$gallery_pid" 20

e2e_finish
