#!/usr/bin/env bash
# Start-up with a full catalogue of 1000 shortcuts: the start-up window is on
# the screen while the scan runs, skinned like every other window (a picture
# taken mid-scan shows the skin's caption and the skin's progress bar), and
# the main window counts all of them at the end.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init startup_progress "$1"

# The program's own skin, as drawn before it was packed.
SKIN_DIR=$E2E_BUILD/../host/skins/slate
[ -f "$SKIN_DIR/progress.bmp" ] || SKIN_DIR=$E2E_ROOT/build/host/skins/slate
[ -f "$SKIN_DIR/progress.bmp" ] || e2e_abort "no unpacked slate skin in $SKIN_DIR"

# pixel_at IMAGE X Y: "r g b" of one pixel.
# near "R G B" "R G B" TOLERANCE: every channel within the tolerance.
near() {
    local a b
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    [ "${#a[@]}" = 3 ] && [ "${#b[@]}" = 3 ] || return 1
    local i d
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        [ "${d#-}" -le "$3" ] || return 1
    done
}

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
track=$(pixel_at "$SKIN_DIR/progress.bmp" 12 5)
fill=$(pixel_at "$SKIN_DIR/progress.bmp" 36 5)
fill_edge=$(pixel_at "$SKIN_DIR/progress.bmp" 47 5)
caption_want=$(pixel_at "$SKIN_DIR/top.bmp" 16 13)
spawn "$(dirname "$TARNIVO_EXE")" "$TARNIVO_EXE"
TARNIVO_PID=$SPAWNED
SHOT=$E2E_SHOTS/e2e-startup_progress-mid-scan.png
# The scan of 1000 shortcuts takes well under a second: once X shows the
# window, pictures are taken back to back until it is gone (looked up every
# few pictures, as the look-up costs as much as half a picture). The window
# comes up before the skin is loaded and is taken over as soon as it is; the
# rectangles of the (then hidden) window tell where to look, and the last
# picture with the skin's caption there counts.
visible() {
    xdotool search --onlyvisible --name '^Program StartUp$' >/dev/null 2>&1
}
seen=0
shots=()
deadline=$((SECONDS + 60))
while [ "$SECONDS" -lt "$deadline" ]; do
    if [ "$seen" = 0 ]; then
        visible && seen=1 || sleep 0.02
        continue
    fi
    file=$E2E_WORK/scan-${#shots[@]}.png
    import -window root "$file" >/dev/null 2>&1 && shots+=("$file")
    if [ $((${#shots[@]} % 3)) = 0 ] && ! visible; then
        break
    fi
done
probe window "" "Program StartUp" >/dev/null 2>&1
IFS=, read -r WL WT WR _ <<<"$(probe_value rect)"
IFS=, read -r CL CT _ _ <<<"$(probe_value client)"
skinned=0
caption=""
for ((i = ${#shots[@]} - 1; i >= 0; i--)); do
    # The caption band right of the text (the window has no caption
    # buttons) shows the middle of the skin's top border, active frame.
    caption=$(pixel_at "${shots[i]}" $((WR - 12)) $((WT + 13)))
    if near "$caption" "$caption_want" 6; then
        skinned=1
        cp "${shots[i]}" "$SHOT"
        break
    fi
done
check_eq "the start-up window shows during the scan" "$seen" 1
check "the start-up window gets the skin's caption during the scan (${#shots[@]} pictures; $caption, skin $caption_want)" \
    [ "$skinned" = 1 ]

step "the start-up window's bar and face are the skin's"
if [ "$skinned" = 1 ]; then
    # The bar "Prog" lies at 0,40 in the client area, 247 x 9. Along its
    # middle row every pixel is the skin's empty track (frame 1 of
    # progress.bmp) or its filled part (frame 2, whose end is edged); the
    # system's bar has none of these colours.
    foreign=""
    for x in $(seq 5 6 240); do
        p=$(pixel_at "$SHOT" $((CL + x)) $((CT + 44)))
        near "$p" "$track" 12 || near "$p" "$fill" 16 || near "$p" "$fill_edge" 6 || foreign="$foreign x=$x:($p)"
    done
    check "the bar shows only the skin's track ($track) and fill ($fill)${foreign:+; not:$foreign}" \
        [ -z "$foreign" ]
    # Below the bar's end the client area has the face colour it has
    # elsewhere, not what the system's dialog frame left there.
    edge=$(pixel_at "$SHOT" $((CL + 247)) $((CT + 50)))
    face=$(pixel_at "$SHOT" $((CL + 4)) $((CT + 4)))
    check "the client area's corner is the face ($edge, face $face)" near "$edge" "$face" 6
else
    _fail "no picture of the skinned start-up window to read"
fi

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
