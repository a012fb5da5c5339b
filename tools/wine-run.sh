#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's own prefix.
# Used by ctest as the cross build's emulator and by make run. Makes the
# prefix on first use and starts a virtual display when there is none.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}
# TARNIVO_DPI=144 (or any DPI but 96) runs in a prefix of its own beside the
# build's, <prefix>-dpi144, made on first use and kept: Wine takes the DPI
# from the prefix's registry, and a run that ends badly must not leave the
# shared prefix at another DPI.
dpi=${TARNIVO_DPI:-96}
case "$dpi" in
    '' | *[!0-9]*) echo "wine-run: TARNIVO_DPI must be a number" >&2; exit 2 ;;
esac
if [ "$dpi" != 96 ]; then
    case "$WINEPREFIX" in
        *-dpi"$dpi") ;;
        *) WINEPREFIX=$WINEPREFIX-dpi$dpi ;;
    esac
fi
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

# Fonts. The launcher's windows ask for "MS Sans Serif", "MS Shell Dlg 2"
# (Tahoma) and "Arial", the caption buttons for "Marlett". Debian's
# fonts-wine brings Wine's own versions of the first two and the last
# (sserife.fon, tahoma.ttf, marlett.ttf and the rest), but this Wine loads
# them only from the prefix's C:\windows\Fonts, which wineboot leaves empty:
# without them it draws every face with DejaVu Sans, wider than the labels
# were sized for, and the caption buttons with letters. Copied in for new
# and older prefixes alike. Arial, Times New Roman and Courier New become
# the Liberation faces (fonts-liberation), which have their metrics. A file
# in the prefix says the replacements are set (the registry file itself is
# written by the Wine server only some time later).
prefix_fonts=$WINEPREFIX/drive_c/windows/Fonts
replacements_done=$WINEPREFIX/.tarnivo-font-replacements
wine_fonts=""
for dir in /usr/share/wine/fonts /usr/local/share/wine/fonts; do
    [ -f "$dir/sserife.fon" ] && { wine_fonts=$dir; break; }
done
if [ ! -f "$replacements_done" ] ||
    { [ -n "$wine_fonts" ] && [ ! -f "$prefix_fonts/sserife.fon" ]; }; then
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ -n "$wine_fonts" ] && [ ! -f "$prefix_fonts/sserife.fon" ]; then
        mkdir -p "$prefix_fonts"
        for font in "$wine_fonts"/*; do
            name=$(basename "$font")
            [ -e "$prefix_fonts/$name" ] && continue
            # Wine's MS Sans Serif is bitmaps of the 96-DPI sizes only (its
            # .ttf as well): at another DPI it would stay at those sizes
            # whatever height is asked for. There Liberation Sans (below, the
            # face Arial gets too) draws it, bold included.
            if [ "$dpi" != 96 ]; then
                case "$name" in sserif* | ssee* | ssef* | ms_sans_serif*) continue ;; esac
            fi
            # Copied aside, then renamed: a Wine process starting meanwhile
            # sees the whole file or none.
            cp "$font" "$prefix_fonts/.$name.part" && mv "$prefix_fonts/.$name.part" "$prefix_fonts/$name"
        done
    fi
    if [ ! -f "$replacements_done" ]; then
        fonts_reg=$(mktemp --suffix=.reg)
        cat >"$fonts_reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
REG
        [ "$dpi" != 96 ] && echo '"MS Sans Serif"="Liberation Sans"' >>"$fonts_reg"
        if wine reg import "Z:${fonts_reg//\//\\}" >/dev/null 2>&1 </dev/null; then
            touch "$replacements_done"
        fi
        rm -f "$fonts_reg"
    fi
    flock -u 9
    exec 9>&-
fi

# Font links. Wine's Tahoma, which stands behind "MS Shell Dlg 2" and the
# caption, menu and message fonts, has Latin and Cyrillic letters only, and
# Wine links it to no face that this machine has: Greek and Japanese names
# came out as boxes. Windows links Tahoma to its CJK faces through the
# SystemLink key (its own Tahoma has Greek); here the same key links it to
# Liberation Sans for Greek and to IPAGothic (fonts-ipafont-gothic) for
# Japanese, in that order, so that Greek does not take IPAGothic's
# full-width letters. Wine looks links up by the face's full name: the bold
# face needs an entry of its own. An entry is "file,family" with the file's
# name only (fontconfig knows which files hold a face), entries apart by \0
# for reg add (the hex(7) list of an imported .reg file came out here as
# 8-bit text). A bitmap face (MS Sans Serif) is given no links by Wine at
# all, whatever the key says.
links_done=$WINEPREFIX/.tarnivo-font-links
# The SystemLink value for the faces given as fontconfig patterns; fails
# when a face has no file here.
link_value() {
    local value="" pattern files file
    for pattern in "$@"; do
        files=$(fc-list -f '%{file}\n' "$pattern" 2>/dev/null | sed 's|.*/||' | sort -u)
        if [ -z "$files" ]; then
            echo "wine-run: no font file for '$pattern'; names in its script will show as boxes" >&2
            return 1
        fi
        while IFS= read -r file; do
            value="$value${value:+\\0}$file,${pattern%%:*}"
        done <<<"$files"
    done
    printf '%s' "$value"
}
if [ ! -f "$links_done" ]; then
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$links_done" ]; then
        system_link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
        if regular=$(link_value 'Liberation Sans:style=Regular' 'IPAGothic:style=Regular') &&
            bold=$(link_value 'Liberation Sans:style=Bold' 'IPAGothic:style=Regular') &&
            wine reg add "$system_link" /v Tahoma /t REG_MULTI_SZ /d "$regular" /f \
                >/dev/null 2>&1 </dev/null &&
            wine reg add "$system_link" /v 'Tahoma Bold' /t REG_MULTI_SZ /d "$bold" /f \
                >/dev/null 2>&1 </dev/null; then
            touch "$links_done"
        fi
    fi
    flock -u 9
    exec 9>&-
fi

# The DPI, set once in the prefix that is made for it; a file says so (the
# registry file is written by the Wine server only some time later).
logpixels_done=$WINEPREFIX/.tarnivo-logpixels-$dpi
if [ "$dpi" != 96 ] && [ ! -f "$logpixels_done" ]; then
    exec 9>"$WINEPREFIX.lock"
    flock 9
    if [ ! -f "$logpixels_done" ] &&
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
            >/dev/null 2>&1 </dev/null; then
        touch "$logpixels_done"
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
