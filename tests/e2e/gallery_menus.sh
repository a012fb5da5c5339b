#!/usr/bin/env bash
# Skinned framework menus in SkinGallery, in both built-in skins:
# - the menu showcase window's main menu, opened with Alt+V and moved
#   through with the arrow keys, then opened with a click on its File band
#   button and picked over with the mouse: the selected entry wears the
#   skin's selected frame, separators its separator line, the check mark and
#   the radio dot are drawn, the entries' images and the disabled entry's
#   text show;
# - the gallery's notification-area icon, right-clicked in Wine's system
#   tray window as a user would: its popup menu wears the skin's menu border
#   and entries.
source "$(dirname "$0")/lib.sh"
e2e_init gallery_menus "$1"

GALLERY=$E2E_BUILD/gallery/SkinGallery.exe
[ -f "$GALLERY" ] || e2e_abort "$GALLERY is not built"
SKINS=$(dirname "$E2E_BUILD")/host/skins
[ -d "$SKINS/slate" ] || SKINS=$E2E_ROOT/build/host/skins
SHOT=$E2E_WORK/shot.png

# pixel IMAGE X Y: "r g b" of one pixel.
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}
# ini_colour KEY: "r g b" of a colour of the current skin's INI.
ini_colour() {
    sed -n "s/^$1=\([0-9]*\) \([0-9]*\) \([0-9]*\).*/\1 \2 \3/p" "$SKINS/$skin/$skin.ini" | head -n 1
}
# mask X Y W H "r g b": the part of the screenshot with that colour white
# and everything else black.
mask() {
    local c="rgb(${5// /,})"
    convert "$SHOT" -crop "${3}x${4}+${1}+${2}" +repage -alpha off \
        -fill black +opaque "$c" -fill white -opaque "$c" "$@" 2>/dev/null
}
# count X Y W H "r g b": how many pixels of the rectangle have the colour.
count() {
    mask "$@" -format "%[fx:int(mean*w*h+0.5)]" info:
}
# box_of X Y W H "r g b": "TOP HEIGHT" of the rows (relative) that have the
# colour, or "none".
box_of() {
    local box height
    box=$(mask "$@" -bordercolor black -border 1 -format "%@" info:)
    case $box in *x0+*|0x*|"") echo none; return ;; esac
    height=${box#*x}
    height=${height%%+*}
    echo "$((${box##*+} - 1)) $height"
}
top_of() {
    local top _
    read -r top _ <<<"$(box_of "$@")"
    echo "$top"
}

popup_rect() {
    probe window "#32768" "" >/dev/null 2>&1 && [ "$(probe_value visible)" = 1 ] || return 1
    IFS=, read -r PX PY PR PB <<<"$(probe_value rect)"
    PW=$((PR - PX))
    PH=$((PB - PY))
}
popup_gone() { ! popup_rect; }
shoot() {
    sleep 0.4
    import -window root "$SHOT" >/dev/null 2>&1
    cp "$SHOT" "$E2E_SHOTS/e2e-gallery_menus-$skin-$1.png"
}
# The popup's own border, from the skin's "MenuBackground".
check_border() {
    check_eq "$1: the popup's corner is the skin's menu edge" "$(pixel "$SHOT" "$PX" "$PY")" "$edge"
    check_eq "$1: inside the corner, the skin's menu fill" \
        "$(pixel "$SHOT" $((PX + 1)) $((PY + 1)))" "$fill"
}
# The glyph column: right of the border and the "MenuItem" margin (4).
GLYPH_X=8
GLYPH_W=16

spawn "$E2E_BUILD/gallery" "$GALLERY" --menus
gallery_pid=$SPAWNED
wait_for 60 sh -c "xdotool search --name '^Menus$' >/dev/null" ||
    e2e_abort "the menu showcase window did not appear"
main_window=$(xdotool search --name '^SkinGallery - ' | head -n 1)
menus_window=$(xdotool search --name '^Menus$' | head -n 1)
sleep 3

for skin in slate paper; do
    edge=$(pixel "$SKINS/$skin/menubackground.bmp" 0 0)
    fill=$(pixel "$SKINS/$skin/menubackground.bmp" 1 1)
    selected=$(pixel "$SKINS/$skin/menuitem.bmp" 84 5)   # frame 4
    separator=$(pixel "$SKINS/$skin/menuitem.bmp" 28 4)  # frame 2's line
    text=$(ini_colour MenuText)
    hilight_text=$(ini_colour HilightText)
    shadow=$(ini_colour ButtonShadow)

    step "$skin: Alt+V opens View; the arrow keys move the selection"
    focus_xwindow "$menus_window"
    press alt+v
    if require "$skin: View's drop-down opens" wait_for 10 popup_rect; then
        shoot view
        check_border "$skin View"
        first=$(top_of "$PX" "$PY" "$PW" "$PH" "$selected")
        check "$skin: the first entry shows the selected frame" [ "$first" != none ]
        check "$skin: ... at the top of the drop-down" [ "${first/none/99}" -le 6 ]
        check "$skin: separators are the skin's separator line" \
            [ "$(count "$PX" "$PY" "$PW" "$PH" "$separator")" -ge "$PW" ]
        check "$skin: the selected Toolbar entry's check mark" \
            [ "$(count $((PX + GLYPH_X)) $((PY + first)) $GLYPH_W 16 "$hilight_text")" -ge 12 ]
        check "$skin: the radio dot of Large icons" \
            [ "$(count $((PX + GLYPH_X)) $((PY + first + 16)) $GLYPH_W $((PH - first - 16)) "$text")" -ge 12 ]
        press Down
        shoot view-down
        second=$(top_of "$PX" "$PY" "$PW" "$PH" "$selected")
        check "$skin: Down moves the selected frame to the next entry" \
            [ "${second/none/-1}" -gt "$((${first/none/0} + 8))" ]
        check "$skin: the unselected check mark takes the menu text colour" \
            [ "$(count $((PX + GLYPH_X)) $((PY + first)) $GLYPH_W 16 "$text")" -ge 12 ]
        press Up
        press Up
        shoot view-up
        check "$skin: Up from the first entry wraps to the last" \
            [ "$(top_of "$PX" "$PY" "$PW" "$PH" "$selected" | sed s/none/-1/)" -gt "${second/none/0}" ]
        press Escape
        press Escape
        check "$skin: Esc closes the drop-down" wait_for 5 popup_gone
    fi

    step "$skin: a click on File opens it; the mouse picks over its entries"
    probe window "" "Menus"
    IFS=, read -r cl ct _ _ <<<"$(probe_value client)"
    timeout 5 xdotool mousemove --sync 1 1 >/dev/null 2>&1
    timeout 5 xdotool mousemove --sync $((cl + 12)) $((ct - 9)) click 1 >/dev/null 2>&1
    if check "$skin: File's drop-down opens" wait_for 10 popup_rect; then
        # Onto the second entry (Save): a little below the first's height.
        timeout 5 xdotool mousemove --sync $((PX + PW / 2)) $((PY + 8)) >/dev/null 2>&1
        sleep 0.3
        timeout 5 xdotool mousemove --sync $((PX + PW / 2)) $((PY + 9)) >/dev/null 2>&1
        shoot file
        check_border "$skin File"
        hot=$(top_of "$PX" "$PY" "$PW" "$PH" "$selected")
        check "$skin: the entry under the mouse shows the selected frame" \
            [ "${hot/none/99}" -le 9 ]
        check "$skin: Open's image" [ "$(count "$PX" "$PY" "$PW" "$PH" "200 40 40")" -ge 200 ]
        check "$skin: Save's image" [ "$(count "$PX" "$PY" "$PW" "$PH" "40 160 40")" -ge 200 ]
        check "$skin: the disabled Print entry's text" \
            [ "$(count "$PX" "$PY" "$PW" "$PH" "$shadow")" -ge 10 ]
        check "$skin: shortcut text at the right" \
            [ "$(count $((PX + PW * 2 / 3)) "$PY" $((PW / 3)) "$PH" "$text")" -ge 10 ]
        press Escape
        press Escape
        check "$skin: Esc closes File" wait_for 5 popup_gone
    fi

    step "$skin: a right click on the gallery's tray icon"
    tray=$(xdotool search --name '^Wine System Tray$' | head -n 1)
    # Without a window manager Wine shows its own "Wine System Tray" window
    # with the icons in it; without it a user could not reach the icon.
    if require "Wine shows its system tray window" [ -n "$tray" ]; then
        eval "$(xdotool getwindowgeometry --shell "$tray")"
        # The only icon: the first cell under the tray window's title.
        timeout 5 xdotool mousemove --sync $((X + 12)) $((Y + HEIGHT - 13)) >/dev/null 2>&1
        sleep 0.3
        xdotool click 3
        if require "$skin: the tray icon's menu opens" wait_for 10 popup_rect; then
            shoot tray
            check_border "$skin tray"
            check "$skin: its separator is the skin's" \
                [ "$(count "$PX" "$PY" "$PW" "$PH" "$separator")" -ge $((PW / 2)) ]
            check "$skin: its entries' text" [ "$(count "$PX" "$PY" "$PW" "$PH" "$text")" -ge 20 ]
            # The keyboard stays with the tray window (Wine hands the menu no
            # X focus without a window manager): the user points instead.
            timeout 5 xdotool mousemove --sync $((PX + PW / 2)) $((PY + 8)) >/dev/null 2>&1
            sleep 0.3
            timeout 5 xdotool mousemove --sync $((PX + PW / 2)) $((PY + 9)) >/dev/null 2>&1
            shoot tray-hot
            read -r hot hot_height <<<"$(box_of "$PX" "$PY" "$PW" "$PH" "$selected")"
            check "$skin: the entry under the mouse shows the skin's selected frame" \
                [ "${hot/none/99}" -le 9 ]
            step "$skin: the tray menu's Next skin switches the skin"
            next=paper
            [ "$skin" = paper ] && next=slate
            timeout 5 xdotool mousemove --sync $((PX + PW / 2)) $((PY + ${hot/none/0} + ${hot_height:-0} + 6)) \
                click 1 >/dev/null 2>&1
            check "$skin: the tray menu closes" wait_for 5 popup_gone
            wait_for 20 sh -c "xdotool search --name '^SkinGallery - ${next^}' >/dev/null" ||
                e2e_abort "the tray menu's Next skin did not switch to $next"
            sleep 1
        fi
    fi
done

focus_xwindow "$main_window"
xdotool key alt+F4
check "the gallery ends on Alt+F4" exited "$gallery_pid" 20
e2e_finish
