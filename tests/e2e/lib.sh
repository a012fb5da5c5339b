# Shared by the end-to-end scenarios: starts Tarnivo.exe and the helper
# programs under Wine, lays out the shortcut catalogue, sends keys and mouse
# clicks through the X server, reads windows back with probe.exe, saves
# screenshots and stops everything it started. Every wait has a time-out.
#
# A scenario script:
#     source "$(dirname "$0")/lib.sh"
#     e2e_init NAME BUILD_DIR
#     ... steps, check_* / require_* ...
#     e2e_finish
#
# Environment: TARNIVO_EXE overrides the program under test; WINEPREFIX and
# DISPLAY are honoured (tools/wine-run.sh and tools/display.sh otherwise
# provide the project's prefix and a private Xvfb).

set -uo pipefail

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../tools/display.sh
source "$E2E_ROOT/tools/display.sh"

E2E_CAPTION="Tarnivo"
E2E_ATOM="speedshortcuthotkey "
E2E_PIDS=()          # every process this scenario started (unix pids)
E2E_FAILED=0
E2E_CHECKED=0
E2E_STEP=""

# ----------------------------------------------------------------- set-up

e2e_init() {
    E2E_NAME=$1
    local build=${2:?usage: e2e_init NAME BUILD_DIR}
    E2E_BUILD=$(cd "$build" && pwd)
    E2E_TOOLS=$E2E_BUILD/tests/e2e
    TARNIVO_EXE=${TARNIVO_EXE:-$E2E_BUILD/app/Tarnivo.exe}
    E2E_WORK=$E2E_BUILD/e2e-work/$E2E_NAME
    E2E_SHOTS=$E2E_ROOT/build/screenshots
    export WINEPREFIX=${WINEPREFIX:-$E2E_ROOT/build/wineprefix}
    rm -rf "$E2E_WORK"
    mkdir -p "$E2E_WORK/bin" "$E2E_SHOTS"
    # The launcher answers the label-text query only to this key (see
    # launcher/textqueryprotocol.h); every program started from here has it.
    TARNIVO_TEXT_QUERY_KEY=$(od -An -N4 -tx4 /dev/urandom | tr -d ' \n')
    export TARNIVO_TEXT_QUERY_KEY
    rm -f "$E2E_SHOTS/e2e-$E2E_NAME"-*.png
    ensure_display
    trap e2e_cleanup EXIT
    trap 'e2e_log "interrupted"; exit 1' INT TERM

    local tool
    for tool in probe.exe mklink.exe marker.exe frontwin.exe; do
        [ -f "$E2E_TOOLS/$tool" ] || e2e_abort "helper $E2E_TOOLS/$tool is not built"
    done
    [ -f "$TARNIVO_EXE" ] || e2e_abort "$TARNIVO_EXE is not built"

    wine_follow_x_focus
    # One wineserver for the whole scenario: each helper then starts in a
    # fraction of a second. It ends by itself a while after the last client;
    # when the prefix has a server already, this one gives way at once.
    wineserver -p 30 </dev/null >/dev/null 2>&1 || true
    # A copy killed by an earlier failed run leaves its global atom in the
    # Wine server; with no copy running, none may be there.
    if [ -z "$(tarnivo_windows)" ] && [ "$(atom_present)" = 1 ]; then
        e2e_log "dropping a global atom left by an earlier run"
        probe atom-delete "$E2E_ATOM"
    fi
    # A desktop without a window manager never moves the keyboard focus by
    # itself; start from a known pointer position.
    xdotool mousemove 5 5 >/dev/null 2>&1 || true
    e2e_log "scenario $E2E_NAME: $TARNIVO_EXE"
}

# Xvfb runs no window manager. A fresh prefix (tools/wine-run.sh) has Wine
# manage its windows itself (Managed=N, Decorated=N); an older prefix may not,
# so the same is set here. On top of that, UseTakeFocus=N: Wine otherwise
# waits for a window manager to hand it the focus (WM_TAKE_FOCUS), and with
# it off Wine activates the window that gets the X focus, so xdotool
# windowfocus acts like a user's click on a window. Every Wine process reads
# these at its start.
#
# UseTakeFocus=N is given only to the programs the scenarios drive
# (AppDefaults, by file name), never to the whole prefix: the Windows unit
# tests run in the same prefix, and with it Wine hands the activation back
# and forth for ever between two top-level windows shown in quick
# succession (each late FocusIn activates its window again), so a test that
# pumps until its queue is empty never gets there.
wine_follow_x_focus() {
    local setting program
    for setting in Managed Decorated; do
        wine_setting_set 'Software\Wine\X11 Driver' "$setting"
    done
    for program in "$(basename "$TARNIVO_EXE")" SkinGallery.exe frontwin.exe; do
        wine_setting_set "Software\\Wine\\AppDefaults\\$program\\X11 Driver" UseTakeFocus
    done
    # An older lib.sh set it for the whole prefix: taken back. user.reg is
    # written by the Wine server some time later, so it may still show a
    # value already deleted: a failed delete is no error.
    if wine_setting_is_n 'Software\Wine\X11 Driver' UseTakeFocus; then
        timeout 60 "$E2E_ROOT/tools/wine-run.sh" reg delete 'HKCU\Software\Wine\X11 Driver' \
            /v UseTakeFocus /f >/dev/null 2>&1 </dev/null || true
    fi
}

# wine_setting_set KEY NAME: NAME=N under HKCU\KEY, unless the prefix's
# user.reg already says so.
wine_setting_set() {
    wine_setting_is_n "$1" "$2" && return 0
    timeout 60 "$E2E_ROOT/tools/wine-run.sh" reg add "HKCU\\$1" \
        /v "$2" /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null ||
        e2e_abort "cannot set $2 in the Wine prefix"
}

# wine_setting_is_n KEY NAME: user.reg has NAME="N" in the section of exactly
# that key (user.reg writes each backslash twice, case as created).
wine_setting_is_n() {
    # Through the environment: awk -v would read the backslashes as escapes.
    SECTION="[${1//\\/\\\\}]" VALUE="\"$2\"=\"N\"" awk '
        BEGIN { section = tolower(ENVIRON["SECTION"]) }
        /^\[/ { inside = tolower(substr($0, 1, length(section))) == section &&
                          substr($0, length(section) + 1, 1) ~ /^( |$)/ }
        inside && $0 == ENVIRON["VALUE"] { found = 1 }
        END { exit !found }' "$WINEPREFIX/user.reg" 2>/dev/null
}

e2e_log() {
    echo "[$(date +%H:%M:%S)] $*"
}

# Stops what this scenario started (by pid only) and restores a clean
# catalogue, whatever way the script ends.
e2e_cleanup() {
    local status=$?
    trap - EXIT
    local pid
    # Programs still running get a WM_CLOSE first, so that they end as a user
    # would have them end (hot key and atom given back); then a signal.
    if [ -n "$(tarnivo_windows)" ] || [ -n "${FRONT_PID:-}" ]; then
        probe close "$E2E_CAPTION" >/dev/null 2>&1
        probe close "$FRONT_CAPTION" >/dev/null 2>&1
        for pid in "${E2E_PIDS[@]}"; do
            exited "$pid" 10 || break
        done
    fi
    for pid in "${E2E_PIDS[@]}"; do
        stop_pid "$pid"
    done
    catalogue_clear >/dev/null 2>&1 || true
    exit $status
}

# Ends the scenario now: a helper is missing or a step cannot go on.
e2e_abort() {
    echo "ABORT: $*" >&2
    E2E_FAILED=$((E2E_FAILED + 1))
    screenshot abort >/dev/null 2>&1 || true
    exit 1
}

e2e_finish() {
    local passed=$((E2E_CHECKED - E2E_FAILED))
    echo "$E2E_NAME: $passed passed, $E2E_FAILED failed"
    [ "$E2E_FAILED" -eq 0 ]
    exit $?
}

# ------------------------------------------------------------- assertions

step() {
    E2E_STEP=$*
    e2e_log "-- $E2E_STEP"
}

_fail() {
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "FAIL [$E2E_STEP]: $*" >&2
}

# check_eq WHAT ACTUAL EXPECTED
check_eq() {
    E2E_CHECKED=$((E2E_CHECKED + 1))
    if [ "$2" == "$3" ]; then
        echo "ok: $1"
        return 0
    fi
    _fail "$1: expected [$3], got [$2]"
    return 1
}

# check WHAT COMMAND...: the command must succeed.
check() {
    local what=$1
    shift
    E2E_CHECKED=$((E2E_CHECKED + 1))
    if "$@"; then
        echo "ok: $what"
        return 0
    fi
    _fail "$what"
    return 1
}

# check_soon WHAT EXPECTED COMMAND...: the command's output must become
# EXPECTED within a few seconds (Wine handles sent keys asynchronously).
check_soon() {
    local what=$1 expected=$2
    shift 2
    local deadline=$((SECONDS + 6)) actual
    while :; do
        actual=$("$@")
        [ "$actual" == "$expected" ] && break
        # A window that cannot be read will not become readable by waiting.
        [[ "$actual" == "<unreadable"* ]] && break
        [ "$SECONDS" -ge "$deadline" ] && break
        sleep 0.3
    done
    check_eq "$what" "$actual" "$expected"
}

# require...: as check, but the scenario cannot go on without it.
require_eq() {
    check_eq "$@" || { screenshot "failed"; exit 1; }
}

require() {
    check "$@" || { screenshot "failed"; exit 1; }
}

# wait_for SECONDS COMMAND...: retries the command until it succeeds.
wait_for() {
    local limit=$1
    shift
    local deadline=$((SECONDS + limit))
    while :; do
        "$@" >/dev/null 2>&1 && return 0
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.2
    done
}

# --------------------------------------------------------------- running

# Converts a Linux path to the Windows path Wine gives it (drive Z: is /).
winpath() {
    local p=$1
    echo "Z:${p//\//\\}"
}

# wine_tool SECONDS EXE ARGS...: runs a helper to completion. Output goes
# through a file: a Wine system process started on the way may inherit the
# descriptor and would hold a pipe open for its whole life.
wine_tool() {
    local limit=$1
    shift
    local out=$E2E_WORK/tool.out
    timeout -k 5 "$limit" "$E2E_ROOT/tools/wine-run.sh" "$@" >"$out" 2>>"$E2E_WORK/wine.log" </dev/null
    local status=$?
    tr -d '\r' <"$out"
    return $status
}

# probe ARGS...: runs probe.exe; its output is in $PROBE, its status returned.
PROBE=""
probe() {
    PROBE=$(wine_tool 40 "$E2E_TOOLS/probe.exe" "$@")
    return $?
}

# probe_value KEY: the value of KEY=... in the last probe output.
probe_value() {
    sed -n "s/^$1=//p" <<<"$PROBE" | head -n 1
}

# spawn DIR EXE ARGS...: starts a Windows program in the background with DIR
# as its working directory; its unix pid is in $SPAWNED. Wine runs the exe in
# that very process, so the pid is also the one on its X windows.
SPAWNED=""
spawn() {
    local dir=$1
    shift
    (cd "$dir" && exec "$E2E_ROOT/tools/wine-run.sh" "$@") \
        >>"$E2E_WORK/wine.log" 2>&1 </dev/null &
    SPAWNED=$!
    E2E_PIDS+=("$SPAWNED")
}

running() {
    kill -0 "$1" 2>/dev/null
}

# Waits for a process we started to end; after the grace time it is killed.
stop_pid() {
    local pid=$1 grace=${2:-10}
    running "$pid" || return 0
    local deadline=$((SECONDS + grace))
    kill "$pid" 2>/dev/null
    while running "$pid" && [ "$SECONDS" -lt "$deadline" ]; do
        sleep 0.2
    done
    running "$pid" && kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

# exited PID SECONDS: did the process end by itself within the time?
exited() {
    local pid=$1 limit=$2
    local deadline=$((SECONDS + limit))
    while running "$pid"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.2
    done
    return 0
}

# ------------------------------------------------------------- catalogue

catalogue_clear() {
    wine_tool 60 "$E2E_TOOLS/mklink.exe" --clear
}

# catalogue_add CSIDL RELPATH TARGET [ARGS [ICONFILE ICONINDEX [WORKDIR]]]
catalogue_add() {
    wine_tool 60 "$E2E_TOOLS/mklink.exe" "$@" >/dev/null ||
        e2e_abort "mklink $*"
}

# special_folder CSIDL: the Windows path of the folder.
special_folder() {
    wine_tool 60 "$E2E_TOOLS/mklink.exe" --folder "$1"
}

# marker_copy NAME: a copy of marker.exe named NAME in the work folder; prints
# its Windows path. Started, it leaves NAME.started beside itself.
marker_copy() {
    cp "$E2E_TOOLS/marker.exe" "$E2E_WORK/bin/$1"
    winpath "$E2E_WORK/bin/$1"
}

# launched NAME: has the marker copy NAME been started (at least once)?
launched() {
    [ -s "$E2E_WORK/bin/$1.started" ]
}

launch_count() {
    local file=$E2E_WORK/bin/$1.started
    [ -f "$file" ] || { echo 0; return; }
    grep -c '^started$' "$file"
}

# The catalogue that most scenarios use: three programs to find, one more to
# pass over, and one shortcut of each kind the scan must skip. Each
# catalogued entry sits in its own folder so that the catalogue order is
# fixed by the scan's folder order, not by the file system's order:
#   0  Explorer Files  (all users' start menu, two folders deep)
#   1  Calc Tool       (all users' desktop)
#   2  Excel Sheet     (user's desktop)
#   3,4 Excel Copy (same program as Excel Sheet) and Hidden Extra (hidden and
#      system, in a sub-folder), both in the user's start menu
# Skipped: a document shortcut, a shortcut file ending in ".LNK" and one
# whose target ends in ".EXE".
STANDARD_COUNT=5
standard_catalogue() {
    catalogue_clear >/dev/null || e2e_abort "mklink --clear failed"
    local explorer calc excel extra exodus upper notes
    explorer=$(marker_copy explorer.exe)
    calc=$(marker_copy calc.exe)
    excel=$(marker_copy excel.exe)
    extra=$(marker_copy extra.exe)
    exodus=$(marker_copy exodus.exe)
    upper=$(marker_copy UPPER.EXE)
    echo "expenses" >"$E2E_WORK/bin/notes.txt"
    notes=$(winpath "$E2E_WORK/bin/notes.txt")

    catalogue_add 22 'Programs\Tools\Explorer Files.lnk' "$explorer"
    catalogue_add 25 'Calc Tool.lnk' "$calc"
    catalogue_add 25 'Expenses Note.lnk' "$notes"
    catalogue_add 25 'Exodus Caps.LNK' "$exodus"
    catalogue_add 25 'Exe Upper.lnk' "$upper"
    catalogue_add 16 'Excel Sheet.lnk' "$excel"
    catalogue_add 11 'Excel Copy.lnk' "$excel"
    catalogue_add 11 'Programs\Er\Hidden Extra.lnk' "$extra"
    local menu
    menu=$(special_folder 11)
    wine_tool 60 "$E2E_TOOLS/mklink.exe" --attrib "$menu\\Programs\\Er\\Hidden Extra.lnk" +h+s ||
        e2e_abort "cannot hide the hidden shortcut"
}

# ----------------------------------------------------------------- Tarnivo

# tarnivo_start [ARGS...]: starts the program from its own folder (it finds
# ".\Tarnivo.exe" and ".\tarnivo.html" there) and waits until a window with
# its caption exists. $TARNIVO_PID is its unix pid.
TARNIVO_PID=""
tarnivo_start() {
    local before
    before=$(tarnivo_windows | wc -l)
    spawn "$(dirname "$TARNIVO_EXE")" "$TARNIVO_EXE" "$@"
    TARNIVO_PID=$SPAWNED
    e2e_log "started Tarnivo.exe $* (pid $TARNIVO_PID)"
    local deadline=$((SECONDS + 40))
    while [ "$(tarnivo_windows | wc -l)" -le "$before" ]; do
        running "$TARNIVO_PID" || { _fail "Tarnivo.exe ended at start-up"; return 1; }
        [ "$SECONDS" -ge "$deadline" ] && { _fail "no \"$E2E_CAPTION\" window within 40 s"; return 1; }
        sleep 0.3
    done
    return 0
}

# One line per top-level "Tarnivo" window: "pid=WINPID hwnd=.. xid=.. visible=..".
tarnivo_windows() {
    probe pid "$E2E_CAPTION" >/dev/null 2>&1
    grep '^pid=' <<<"$PROBE"
}

# xid_of_unix_pid PID: the X window of the Tarnivo main window that process made.
xid_of_unix_pid() {
    local line xid
    while read -r line; do
        xid=$(sed -n 's/.* xid=\([^ ]*\).*/\1/p' <<<"$line")
        [ -n "$xid" ] && [ "$xid" != "0x0" ] || continue
        if [ "$(xdotool getwindowpid "$xid" 2>/dev/null)" = "$1" ]; then
            echo "$xid"
            return 0
        fi
    done < <(tarnivo_windows)
    return 1
}

# winpid_of_unix_pid PID: the Windows process id of that process's main window.
winpid_of_unix_pid() {
    local xid
    xid=$(xid_of_unix_pid "$1") || return 1
    tarnivo_windows | sed -n "s/^pid=\([0-9]*\) .* xid=$xid .*/\1/p" | head -n 1
}

# ----------------------------------------------------------- keys and mouse

# focus_xwindow XID: gives a Wine window the keyboard as a window manager
# would on a click, and waits until Wine has made it the foreground window.
# Nobody else moves the X focus on a bare X server, and the prefix tells Wine
# to follow the X focus (see wine_follow_x_focus); the focus goes to the root
# window first so that the window sees a fresh FocusIn even when it had the
# X focus already. Wine handles the focus events asynchronously, and one of
# them can be lost in a race with the program's own activation: up to three
# tries.
focus_xwindow() {
    local try
    for try in 1 2 3; do
        timeout 5 xdotool windowfocus "$(root_xwindow)" >/dev/null 2>&1
        sleep 0.2
        # Raised too, as a click would: copies of the program open at the same place.
        timeout 5 xdotool windowraise "$1" >/dev/null 2>&1
        timeout 5 xdotool windowfocus "$1" >/dev/null 2>&1
        wait_for 3 foreground_is_xwindow "$1" && return 0
    done
    _fail "the window $1 did not become the foreground window"
    return 1
}

foreground_is_xwindow() {
    probe focus
    [ "$(($(probe_value foreground_xid)))" = "$(($1))" ]
}

root_xwindow() {
    xwininfo -root 2>/dev/null | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p'
}

# focus_tarnivo [UNIX_PID]: focus the main window of that copy (default: the
# last started).
focus_tarnivo() {
    local pid=${1:-$TARNIVO_PID} xid
    xid=$(xid_of_unix_pid "$pid") || { _fail "no X window for Tarnivo pid $pid"; return 1; }
    focus_xwindow "$xid"
}

type_text() {
    xdotool type --delay 80 "$1"
    sleep 0.5
}

press() {
    xdotool key --delay 120 "$@"
    sleep 0.5
}

# ------------------------------------------------------------- reading back

# listview_captions [PROBE ARGS]: the captions of the result list, one a line.
listview_captions() {
    if ! probe "$@" listview "$E2E_CAPTION"; then
        echo "<unreadable: $(tr '\n' ' ' <<<"$PROBE")>"
        return 1
    fi
    sed -n 's/^item=[0-9]* .* text=//p' <<<"$PROBE"
}

# captions_joined [PROBE ARGS]: the captions on one line, joined by "|".
captions_joined() {
    listview_captions "$@" | joined
}

# Joins lines with "|" for one-line comparisons.
joined() {
    paste -sd '|' -
}

# label_text NAME [PROBE ARGS]: the text of a label of the main window, or
# "<unreadable: ...>" when the window does not answer: an empty label and a
# failed read must never compare equal.
label_text() {
    local name=$1
    shift
    if ! probe "$@" text "$E2E_CAPTION" "$name"; then
        echo "<unreadable: $(tr '\n' ' ' <<<"$PROBE")>"
        return 1
    fi
    probe_value text
}

window_visible() {
    probe "$@" window "" "$E2E_CAPTION" || { echo "none"; return 0; }
    probe_value visible
}

taskbar_visible() {
    probe "$@" taskbar "$E2E_CAPTION" || { echo "none"; return 0; }
    probe_value taskbar
}

# focused_control: "CLASS in CAPTION" for the focused window of the
# foreground thread.
focused_control() {
    probe focus
    echo "$(probe_value focus_class) in $(probe_value focus_root_caption)"
}

hotkey_state() {
    probe hotkey
    probe_value hotkey
}

atom_present() {
    probe atom "$E2E_ATOM"
    probe_value atom
}

is_visible() { [ "$(window_visible "$@")" = 1 ]; }
taskbar_is() { [ "$(taskbar_visible)" = "$1" ]; }
is_hidden() { [ "$(window_visible "$@")" = 0 ]; }

# screenshot LABEL: the whole virtual screen, as a user would see it.
screenshot() {
    local file=$E2E_SHOTS/e2e-$E2E_NAME-$1.png
    if import -window root "$file" >/dev/null 2>&1; then
        echo "screenshot: $file"
    fi
}

# ------------------------------------------------------------------- menus

# menu_pick RIGHTS KEY [UNIX_PID]: picks a menu command with the mouse and
# keys, as a user does: a click on the first menu of the menu bar (just above
# the client area at its left), Right RIGHTS times to the wanted menu, then
# KEY (End: the last item, Home: the first), then Enter.
menu_pick() {
    local rights=$1 key=$2 pid=${3:-$TARNIVO_PID} xid winpid
    xid=$(xid_of_unix_pid "$pid") || { _fail "no X window for Tarnivo pid $pid"; return 1; }
    winpid=$(winpid_of_unix_pid "$pid")
    probe --pid "$winpid" window "" "$E2E_CAPTION"
    local left top
    IFS=, read -r left top _ _ <<<"$(probe_value client)"
    focus_xwindow "$xid"
    # The pointer comes in from elsewhere: Wine missed a click at an unchanged
    # pointer position once the window under it had closed.
    timeout 5 xdotool mousemove --sync 1 1 >/dev/null 2>&1
    timeout 5 xdotool mousemove --sync $((left + 14)) $((top - 9)) click 1 >/dev/null 2>&1
    sleep 0.6
    local i
    for ((i = 0; i < rights; i++)); do
        press Right
    done
    screenshot "menu-open-$pid"
    press "$key"
    press Return
}

# File > Exit, the last item of the first menu.
menu_exit() {
    menu_pick 0 End "$@"
}

# Help > About, the last item of the second menu.
menu_about() {
    menu_pick 1 End "$@"
}

# listview_marked [PROBE ARGS]: "caption selected focused" of every item
# that is selected or focused.
listview_marked() {
    probe "$@" listview "$E2E_CAPTION" || { echo "<unreadable>"; return 1; }
    sed -n 's/^item=[0-9]* image=[-0-9]* selected=\([01]\) focused=\([01]\) text=\(.*\)/\3 \1 \2/p' \
        <<<"$PROBE" | grep -v ' 0 0$'
}

listview_images() {
    probe "$@" listview "$E2E_CAPTION" || { echo "<unreadable>"; return 1; }
    sed -n 's/^item=[0-9]* image=\([-0-9]*\) .*/\1/p' <<<"$PROBE"
}

# frontwin_start: "another program" in front, with the keyboard: Wine passes
# hot keys only while one of its windows has the X focus.
FRONT_CAPTION="E2E Front"
FRONT_PID=""
frontwin_start() {
    spawn "$E2E_WORK" "$E2E_TOOLS/frontwin.exe" "$FRONT_CAPTION" 120000
    FRONT_PID=$SPAWNED
    probe wait-window "$FRONT_CAPTION" 20000 visible || { _fail "frontwin did not appear"; return 1; }
    frontwin_focus
}

frontwin_focus() {
    local xid
    probe pid "$FRONT_CAPTION"
    xid=$(sed -n 's/.* xid=\([^ ]*\).*/\1/p' <<<"$PROBE" | head -n 1)
    [ -n "$xid" ] && [ "$xid" != "0x0" ] || { _fail "no X window for frontwin"; return 1; }
    focus_xwindow "$xid"
}

foreground_caption() {
    probe focus
    probe_value foreground_caption
}

# pixel_at PNG X Y: the pixel's "R G B" (8 bits a channel).
pixel_at() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
        sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}

# SkinGallery scenarios: GALLERY is the program, PAPER the second skin file.
gallery_paths() {
    GALLERY=$E2E_BUILD/gallery/SkinGallery.exe
    [ -f "$GALLERY" ] || e2e_abort "$GALLERY is not built"
    PAPER=$E2E_BUILD/../host/skins/paper.skn
    [ -f "$PAPER" ] || PAPER=$E2E_ROOT/build/host/skins/paper.skn
}

# gallery_spawn SKIN [ARGS...]: starts the gallery (GALLERY_PID) and waits
# until its main window "SkinGallery - SKIN" is there and the activations of
# its windows at start have settled.
gallery_spawn() {
    local skin=$1
    shift
    spawn "$E2E_BUILD/gallery" "$GALLERY" "$@"
    GALLERY_PID=$SPAWNED
    wait_for 60 sh -c "xdotool search --name '^SkinGallery - $skin' >/dev/null" ||
        e2e_abort "the gallery's main window did not appear"
    sleep 3
}

# gallery_open_page SKIN CAPTION [ARGS...]: the gallery with the page window
# CAPTION focused; sets PAGE_XID and CX CY, the page's client origin.
gallery_open_page() {
    local skin=$1 caption=$2
    shift 2
    gallery_spawn "$skin" "$@"
    PAGE_XID=$(xdotool search --name "^$caption" | head -n 1)
    [ -n "$PAGE_XID" ] || e2e_abort "the page \"$caption\" did not appear"
    focus_xwindow "$PAGE_XID"
    sleep 0.5
    probe window "" "$caption" || e2e_abort "probe does not find the page \"$caption\""
    IFS=, read -r CX CY _ _ <<<"$(probe_value client)"
}
