#!/usr/bin/env bash
# Tarnivo and SkinGallery at 96, 144 and 192 DPI. Each DPI other than 96 runs
# in a prefix of its own (tools/wine-run.sh, TARNIVO_DPI) on a virtual screen
# twice the usual size, as a screen of that DPI would be. At each DPI the
# program runs per-monitor aware, its client area is the 96-DPI one scaled
# and holds the same child windows, none cut off; the pictures are
# build/screenshots/dpi-tarnivo-slate-{144,192}.png (Tarnivo carries only its
# Slate skin) and dpi-gallery-{slate,paper}-{144,192}[-main].png.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init dpi_layout "$1"
gallery_paths
PAGE="Controls: buttons, text, lists, ranges"

BASE_PREFIX=$WINEPREFIX
BASE_DISPLAY=$DISPLAY
BIG_DISPLAY=":$((${TARNIVO_XVFB_DISPLAY:-87} + 1000))"
if ! DISPLAY=$BIG_DISPLAY xdpyinfo >/dev/null 2>&1; then
    Xvfb "$BIG_DISPLAY" -screen 0 2560x2048x24 -nolisten tcp >/dev/null 2>&1 &
    E2E_PIDS+=("$!")
    wait_for 10 env DISPLAY="$BIG_DISPLAY" xdpyinfo || e2e_abort "no virtual screen $BIG_DISPLAY"
fi

# use_dpi DPI: the prefix, display and Wine server the next steps run with.
use_dpi() {
    if [ "$1" = 96 ]; then
        unset TARNIVO_DPI
        export WINEPREFIX=$BASE_PREFIX DISPLAY=$BASE_DISPLAY
    else
        export TARNIVO_DPI=$1 WINEPREFIX=$BASE_PREFIX-dpi$1 DISPLAY=$BIG_DISPLAY
        # Made (with its DPI) on first use, kept for later runs.
        timeout 120 "$E2E_ROOT/tools/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1 ||
            e2e_abort "cannot make the prefix $WINEPREFIX"
        wine_follow_x_focus
    fi
    wineserver -p 30 </dev/null >/dev/null 2>&1 || true
}

# rect_size "l,t,r,b": "WxH".
rect_size() {
    local l t r b
    IFS=, read -r l t r b <<<"$1"
    echo "$((r - l))x$((b - t))"
}

# within WANT GOT: GOT is WANT to one pixel (rounding of odd factors).
within() {
    local d=$(($2 - $1))
    [ "${d#-}" -le 1 ]
}

# children_inside W H: every visible child window lies inside a W x H client
# area with a size of its own.
children_inside() {
    local w=$1 h=$2 line class l t r b bad=0
    while read -r line; do
        IFS=, read -r class l t r b <<<"${line#child=}"
        if [ "$l" -lt 0 ] || [ "$t" -lt 0 ] || [ "$r" -gt "$w" ] || [ "$b" -gt "$h" ] ||
            [ "$r" -le "$l" ] || [ "$b" -le "$t" ]; then
            e2e_log "$class at $l,$t,$r,$b is cut off in ${w}x$h"
            bad=1
        fi
    done < <(grep '^child=' <<<"$PROBE")
    return $bad
}

# children_scaled BEFORE DPI: the child windows in $PROBE are those of the
# 96-DPI probe output BEFORE, in the same order, each edge scaled to DPI
# (to a pixel). The child windows of both programs are placed by their
# layouts, so this is the layout's scaling as the system shows it.
children_scaled() {
    local before=$1 dpi=$2 a b ca cb n=0 i
    mapfile -t a < <(grep '^child=' <<<"$before")
    mapfile -t b < <(grep '^child=' <<<"$PROBE")
    [ "${#a[@]}" -eq "${#b[@]}" ] || { e2e_log "${#b[@]} child windows, ${#a[@]} at 96 DPI"; return 1; }
    for ((n = 0; n < ${#a[@]}; ++n)); do
        IFS=, read -r -a ca <<<"${a[n]#child=}"
        IFS=, read -r -a cb <<<"${b[n]#child=}"
        [ "${ca[0]}" = "${cb[0]}" ] || { e2e_log "child $n is ${cb[0]}, ${ca[0]} at 96"; return 1; }
        # A window that lies within another child window is laid over it
        # (the skin engine's scroll bars over a list's own): it follows the
        # bar that the system places there, not the layout.
        lies_within "${b[n]}" "${b[@]}" && continue
        for i in 1 2 3 4; do
            # An up-down attached to its buddy takes the width the system
            # gives it at that DPI, and a closed combo box the height its
            # font gives it: those edges are not the layout's.
            [ "${cb[0]}" = msctls_updown32 ] && [ "$i" = 3 ] && continue
            [ "${cb[0]}" = ComboBox ] && [ "$i" = 4 ] && continue
            within $((ca[i] * dpi / 96)) "${cb[i]}" ||
                { e2e_log "child $n (${cb[0]}) at ${b[n]#child=}, at 96 DPI ${a[n]#child=}"; return 1; }
        done
    done
}

# lies_within CHILD ALL...: CHILD's rectangle lies within that of another of ALL.
lies_within() {
    local one=$1 other l t r b ol ot or ob
    shift
    IFS=, read -r _ l t r b <<<"${one#child=}"
    for other in "$@"; do
        [ "$other" = "$one" ] && continue
        IFS=, read -r _ ol ot or ob <<<"${other#child=}"
        [ "$l" -ge "$ol" ] && [ "$t" -ge "$ot" ] && [ "$r" -le "$or" ] && [ "$b" -le "$ob" ] && return 0
    done
    return 1
}

# shot_window CAPTION FILE: the window's rectangle of the screen saved (the
# screen is large enough for the window at any DPI here).
shot_window() {
    probe window "" "$1" || return 1
    local l t r b
    IFS=, read -r l t r b <<<"$(probe_value rect)"
    # Wine hands a window's picture to X a moment after painting it.
    sleep 1
    import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$2" >/dev/null 2>&1 &&
        echo "screenshot: $2"
}

step "both programs declare per-monitor awareness"
# Windows stretches the windows of a program that does not (from a 96-DPI
# picture, blurred); its manifest says so, as a resource in the exe.
for exe in "$TARNIVO_EXE" "$GALLERY"; do
    check "$(basename "$exe"): dpiAwareness PerMonitorV2,PerMonitor" \
        grep -q '<dpiAwareness[^>]*>PerMonitorV2,PerMonitor</dpiAwareness>' "$exe"
    check "$(basename "$exe"): dpiAware true/pm" grep -q '<dpiAware[^>]*>true/pm</dpiAware>' "$exe"
done

catalogue_clear >/dev/null || e2e_abort "mklink --clear failed"
CHILDREN_AT_96=""
for dpi in 96 144 192; do
    step "Tarnivo at $dpi DPI"
    use_dpi "$dpi"
    catalogue_clear >/dev/null || e2e_abort "mklink --clear failed"
    catalogue_add 16 'Notepad.lnk' 'C:\windows\system32\notepad.exe'
    catalogue_add 16 'Registry Editor.lnk' 'C:\windows\regedit.exe'
    require "the main window appears" tarnivo_start
    require "the main window becomes visible" wait_for 20 is_visible
    probe dpi "$E2E_CAPTION"
    check_eq "the window's DPI" "$(probe_value dpi)" "$dpi"
    # Wine 8 answers 2 (per monitor) for every process, manifest or not,
    # and does not stretch unaware windows: a figure here, not a check (the
    # manifest is checked above).
    e2e_log "awareness of the window's thread: $(probe_value awareness)"
    check_eq "the screen's LOGPIXELSX" "$(probe_value logpixels)" "$dpi"
    probe window "" "$E2E_CAPTION"
    IFS=x read -r cw ch <<<"$(rect_size "$(probe_value client)")"
    check "client width $cw is 580 scaled" within $((580 * dpi / 96)) "$cw"
    check "client height $ch is 276 scaled" within $((276 * dpi / 96)) "$ch"
    probe children "$E2E_CAPTION"
    check "every child window inside the ${cw}x$ch client area" children_inside "$cw" "$ch"
    [ "$dpi" = 96 ] && CHILDREN_AT_96=$PROBE
    check "the child windows of 96 DPI at their places scaled" children_scaled "$CHILDREN_AT_96" "$dpi"
    if [ "$dpi" != 96 ]; then
        focus_tarnivo && type_text "e"
        shot_window "$E2E_CAPTION" "$E2E_SHOTS/dpi-tarnivo-slate-$dpi.png"
    fi
    probe close "$E2E_CAPTION" >/dev/null
    check "the program ends" exited "$TARNIVO_PID" 15
    catalogue_clear >/dev/null
done

for dpi in 96 144 192; do
    step "SkinGallery at $dpi DPI"
    use_dpi "$dpi"
    # The page of controls, live: its child windows inside its client area,
    # at their 96-DPI places scaled.
    gallery_spawn Slate
    probe window "" "$PAGE"
    e2e_log "the page's window is $(rect_size "$(probe_value rect)") at $dpi DPI" \
        "(its skinned frame is drawn at the engine's own scale)"
    IFS=x read -r pw ph <<<"$(rect_size "$(probe_value client)")"
    probe children "$PAGE"
    check "the page's child windows inside its ${pw}x$ph client area" children_inside "$pw" "$ph"
    [ "$dpi" = 96 ] && PAGE_CHILDREN_AT_96=$PROBE
    check "the page's child windows at their places scaled" \
        children_scaled "$PAGE_CHILDREN_AT_96" "$dpi"
    stop_pid "$GALLERY_PID" 1
    [ "$dpi" = 96 ] && continue

    # The pictures: the gallery photographs its windows in every skin.
    raw=$E2E_WORK/gallery-$dpi
    mkdir -p "$raw"
    timeout -k 5 120 "$E2E_ROOT/tools/wine-run.sh" "$GALLERY" "$(winpath "$PAPER")" \
        --screenshots "$(winpath "$raw")" --all-skins </dev/null >>"$E2E_WORK/wine.log" 2>&1
    check "the gallery saved its pictures" test -f "$raw/gallery-paper-controls.bmp"
    for skin in slate paper; do
        for window in controls main; do
            [ -f "$raw/gallery-$skin-$window.bmp" ] || continue
            suffix=$([ "$window" = main ] && echo -main)
            convert "$raw/gallery-$skin-$window.bmp" "$E2E_SHOTS/dpi-gallery-$skin-$dpi$suffix.png" &&
                echo "screenshot: $E2E_SHOTS/dpi-gallery-$skin-$dpi$suffix.png"
        done
    done
done

use_dpi 96
e2e_finish
