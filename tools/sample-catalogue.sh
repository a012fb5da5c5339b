#!/usr/bin/env bash
# A first run that shows something: a new Wine prefix has an empty start
# menu, and a launcher with nothing to find shows an empty window. When none
# of the four folders that the launcher scans holds a shortcut, this lays
# out a small real catalogue there: shortcuts to programs that Wine itself
# installs, written through the shell link object (the end-to-end tests'
# mklink.exe), in the all users' start menu (Programs and its Accessories,
# System Tools and Games folders) and one on the user's desktop. A program
# that this Wine does not install is left out.
#
#   tools/sample-catalogue.sh [WIN32_BUILD_DIR]
#
# Prints the number of shortcuts it wrote: 0 when the prefix had shortcuts.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
win32=${1:-$root/build/win32}
mklink=$win32/tests/e2e/mklink.exe
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}

# Makes the prefix if this is its first use.
"$root/tools/wine-run.sh" cmd /c exit >/dev/null 2>&1 </dev/null || true
drive_c=$WINEPREFIX/drive_c

has_shortcuts() {
    local folder
    for folder in "$drive_c/ProgramData/Microsoft/Windows/Start Menu" \
        "$drive_c/users/Public/Desktop" "$drive_c"/users/*/Desktop \
        "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu; do
        [ -d "$folder" ] || continue
        [ -n "$(find "$folder" -iname '*.lnk' -print -quit 2>/dev/null)" ] && return 0
    done
    return 1
}

if has_shortcuts; then
    echo 0
    exit 0
fi
if [ ! -f "$mklink" ]; then
    echo "sample-catalogue: $mklink is not built; no shortcuts made" >&2
    echo 0
    exit 0
fi

# CSIDL | where below it | program (C: path) | icon file | icon index
# 22 is the all users' start menu, 16 the user's desktop. Wine's control.exe
# has no icon of its own; the shell's Control Panel icon (resource 22 of
# shell32.dll) stands in, as it does on Windows.
catalogue=(
    '22|Programs\Accessories\Notepad.lnk|C:\windows\notepad.exe||'
    '22|Programs\Accessories\WordPad.lnk|C:\Program Files\Windows NT\Accessories\wordpad.exe||'
    '22|Programs\Accessories\Wine File Manager.lnk|C:\windows\system32\winefile.exe||'
    '22|Programs\Accessories\Windows Explorer.lnk|C:\windows\explorer.exe||'
    '22|Programs\Accessories\Write.lnk|C:\windows\system32\write.exe||'
    '22|Programs\Accessories\Clock.lnk|C:\windows\system32\clock.exe||'
    '22|Programs\Accessories\Wine Console.lnk|C:\windows\system32\wineconsole.exe||'
    '22|Programs\Accessories\Program Manager.lnk|C:\windows\system32\progman.exe||'
    '22|Programs\Accessories\Windows Help.lnk|C:\windows\winhlp32.exe||'
    '22|Programs\Internet Explorer.lnk|C:\Program Files\Internet Explorer\iexplore.exe||'
    '22|Programs\Windows Media Player.lnk|C:\Program Files\Windows Media Player\wmplayer.exe||'
    '22|Programs\System Tools\Registry Editor.lnk|C:\windows\regedit.exe||'
    '22|Programs\System Tools\Task Manager.lnk|C:\windows\system32\taskmgr.exe||'
    '22|Programs\System Tools\Wine Configuration.lnk|C:\windows\system32\winecfg.exe||'
    '22|Programs\System Tools\System Information.lnk|C:\windows\system32\msinfo32.exe||'
    '22|Programs\System Tools\DirectX Diagnostic Tool.lnk|C:\windows\system32\dxdiag.exe||'
    '22|Programs\System Tools\OLE-COM Object Viewer.lnk|C:\windows\system32\oleview.exe||'
    '22|Programs\System Tools\Add or Remove Programs.lnk|C:\windows\system32\uninstaller.exe||'
    '22|Programs\About Wine.lnk|C:\windows\system32\winver.exe||'
    '22|Programs\Games\Minesweeper.lnk|C:\windows\system32\winemine.exe||'
    '22|Programs\Control Panel.lnk|C:\windows\system32\control.exe|C:\windows\system32\shell32.dll|-22'
    '16|Command Prompt.lnk|C:\windows\system32\cmd.exe||'
)

made=0
for line in "${catalogue[@]}"; do
    IFS='|' read -r csidl link program icon index <<<"$line"
    unix=$drive_c/${program#C:\\}
    unix=${unix//\\//}
    [ -f "$unix" ] || continue
    args=("$csidl" "$link" "$program")
    [ -n "$icon" ] && args+=("" "$icon" "$index")
    if "$root/tools/wine-run.sh" "$mklink" "${args[@]}" >/dev/null 2>&1 </dev/null; then
        made=$((made + 1))
    else
        echo "sample-catalogue: cannot write $link" >&2
    fi
done
echo "$made"
