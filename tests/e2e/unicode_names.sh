#!/usr/bin/env bash
# Names in any script: shortcuts named in Greek, Japanese, Cyrillic and with
# accents are listed exactly as the file system holds them, found by typing
# their own letters through the X keyboard, and launched.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init unicode_names "$1"

step "lay out the catalogue"
catalogue_clear >/dev/null || e2e_abort "mklink --clear failed"
greek=$(marker_copy greek.exe)
memo=$(marker_copy memo.exe)
cafe=$(marker_copy cafe.exe)
privet=$(marker_copy privet.exe)
catalogue_add 16 'Ζωή Xylo.lnk' "$greek"
catalogue_add 16 '日本語メモ.lnk' "$memo"
catalogue_add 25 'Café Noir.lnk' "$cafe"
catalogue_add 11 'Programs\Привет.lnk' "$privet"

require "the main window appears" tarnivo_start
require "the main window becomes visible" wait_for 20 is_visible
check_soon "every shortcut catalogued" "There are 4 shortcuts in your desktop and startmenu " \
    label_text Label6
focus_tarnivo

step "names shown exactly"
# "o" is in "Xylo" and "Noir" only (the common desktop comes before the
# user's); the list is read back through the wide list-view message.
type_text "o"
check_soon "Latin letters find the accented and the Greek name" "Café Noir|Ζωή Xylo" captions_joined
press Escape

step "Greek letters typed through the X keyboard"
# xdotool binds each Greek keysym to a spare key code for the moment of the
# key press; Wine rereads the keyboard mapping on the MappingNotify that
# follows, so each letter arrives as itself (WM_CHAR of a Unicode window).
type_text "ζωή"
check_soon "the typed letters arrive as themselves, in capitals" "ΖΩΉ" label_text Label1
check_soon "found by its own letters" "Ζωή Xylo" captions_joined
screenshot "greek-typed"
press Return
check "its program started" wait_for 15 launched greek.exe
check "the window goes to the tray" wait_for 10 is_hidden

step "Japanese, Cyrillic and accented names"
probe tray-click "$E2E_CAPTION" double
require "the window is back" wait_for 10 is_visible
focus_tarnivo
type_text "メモ"
check_soon "the Japanese name found and shown exactly" "日本語メモ" captions_joined
screenshot "japanese-typed"
press Return
check "its program started" wait_for 15 launched memo.exe
check "the window goes to the tray" wait_for 10 is_hidden

probe tray-click "$E2E_CAPTION" double
require "the window is back" wait_for 10 is_visible
focus_tarnivo
type_text "ПРИ"
check_soon "the Cyrillic name found by capitals" "Привет" captions_joined
press Escape
type_text "café"
check_soon "Café found by café" "Café Noir" captions_joined
press Return
check "its program started" wait_for 15 launched cafe.exe

step "exit"
probe close "$E2E_CAPTION"
check "the program ends on WM_CLOSE" exited "$TARNIVO_PID" 15

e2e_finish
