#!/usr/bin/env bash
# Two running copies: the first holds F11, the second cannot take it but
# stays usable; F11 still reaches the first. The atom is shared: it goes only
# when the last copy has ended, and F11 is then free.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
e2e_init second_copy "$1"

standard_catalogue

step "first copy"
require "the first copy appears" tarnivo_start
require "its window becomes visible" wait_for 20 is_visible
first=$TARNIVO_PID
first_win=$(winpid_of_unix_pid "$first")
check_eq "F11 taken by the first copy" "$(hotkey_state)" taken
check_eq "atom present" "$(atom_present)" 1

step "second copy"
require "the second copy appears" tarnivo_start
second=$TARNIVO_PID
require "two main windows" wait_for 10 eval '[ "$(tarnivo_windows | wc -l)" -eq 2 ]'
second_win=$(winpid_of_unix_pid "$second")
require "the copies are told apart" [ -n "$first_win" ] && [ -n "$second_win" ] && [ "$first_win" != "$second_win" ]
check "the second copy's window is shown" wait_for 20 is_visible --pid "$second_win"
screenshot "two-copies"

step "the second copy is usable"
focus_tarnivo "$second"
type_text "el"
check_soon "second copy finds" "Excel Sheet|Explorer Files" captions_joined --pid "$second_win"
check_soon "first copy untouched" "" captions_joined --pid "$first_win"

step "F11 goes to the first copy"
require "frontwin has the keyboard" frontwin_start
press F11
check "the first copy comes to the front" wait_for 10 \
    eval '[ "$(probe focus; probe_value foreground_pid)" = "$first_win" ]'

step "exit the first copy"
menu_exit "$first"
check "the first copy ends" exited "$first" 15
check "the second copy runs on" running "$second"
check_eq "F11 free: the second copy never took it" "$(hotkey_state)" free
check_eq "atom still held by the second copy" "$(atom_present)" 1

step "exit the second copy"
menu_exit "$second"
check "the second copy ends" exited "$second" 15
check_eq "atom gone" "$(atom_present)" 0
check_eq "F11 free" "$(hotkey_state)" free

e2e_finish
