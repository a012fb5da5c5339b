#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's own prefix.
# Used by ctest as the cross build's emulator and by make run. Makes the
# prefix on first use and starts a virtual display when there is none.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download dialogs in a fresh prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Saving a shortcut under the start menu or desktop makes Wine run
# winemenubuilder, which writes menu entries and icons into the real home.
case "$WINEDLLOVERRIDES" in
    *winemenubuilder*) ;;
    *) export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" ;;
esac

source "$root/tools/display.sh"
ensure_display

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Several test programs may start at once on a fresh tree: one makes the prefix.
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine-run: creating Wine prefix $WINEPREFIX" >&2
        wineboot -i >/dev/null 2>&1 || true
        # No window manager runs on Xvfb: let Wine draw the window frames
        # itself, so screenshots show captions and borders.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
        # A crash ends the program; no dialog waits for a user who is not there.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
        wineserver -w || true
    fi
    flock -u 9
fi

# Fonts. The launcher's windows ask for "MS Sans Serif" and "Arial". Wine
# draws the first with its own bitmap clone (sserife.fon, in Debian's
# fonts-wine) and has no Arial: without a replacement it takes a wider face
# (DejaVu Sans) and labels sized for Arial are cut off at the right. The
# Liberation faces (fonts-liberation) have the metrics of Arial, Times New
# Roman and Courier New. Set in new and older prefixes alike, once: a file
# in the prefix says it is done (the registry file itself is written by the
# Wine server only some time later).
fonts_done=$WINEPREFIX/.tarnivo-font-replacements
if [ ! -f "$fonts_done" ]; then
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$fonts_done" ]; then
        fonts_reg=$(mktemp --suffix=.reg)
        cat >"$fonts_reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
REG
        if wine reg import "Z:${fonts_reg//\//\\}" >/dev/null 2>&1 </dev/null; then
            touch "$fonts_done"
        fi
        rm -f "$fonts_reg"
    fi
    flock -u 9
    exec 9>&-
fi

# A new prefix links the user's Desktop, Documents and so on to $HOME (or its
# XDG folders). The launcher scans the Desktop recursively and the end-to-end
# tests lay out and clear shortcuts there: give each such folder a real
# directory inside the prefix instead.
for link in "$WINEPREFIX"/drive_c/users/*/*; do
    [ -L "$link" ] || continue
    case "$(readlink "$link")" in
        "$WINEPREFIX"/* | [!/]*) ;;
        *) rm -f "$link" && mkdir -p "$link" ;;
    esac
done

exec wine "$@"
