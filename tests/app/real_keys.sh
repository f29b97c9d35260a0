#!/bin/sh
# Usage: real_keys.sh OBSERVED_WINDOW LOG_DIR. Real keys on a German X keyboard
# against what a person must see, as observed_window.cpp tells it.
. "$(dirname "$0")/../display_helpers.sh"
under_xvfb "" "$@"
export LC_ALL=C.UTF-8 # the locale picks the table that composes dead keys
setxkbmap de && setxkbmap -query | grep -q '^layout: *de$' || fail "no German keyboard layout"
mkdir -p "$2"
start "$1" "$2/real_keys.log"
click 100 $((menu + 49)) # into the box

failed=0
check() { # NAME EXPECTED KEY...: all the window tells, joined by |, for the keys after 12
    name=$1 expected=$2
    shift 2
    from=$(($(wc -l <"$log") + 1))
    # F12 types nothing, but has the window tell its box once every key before it is handled.
    xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace 1 2 "$@" F12
    within 20 "tail -n +$from '$log' | grep -q '^box '" || fail "the window did not answer: $(cat "$log.err")"
    told=$(tail -n +"$from" "$log" | paste -s -d '|')
    [ "$told" = "$expected" ] && echo "ok: $name" || { echo "FAIL: $name: expected [$expected], the window told [$told]"; failed=1; }
}
refused="message Montant: Seul les chiffres sont permis !|box 12"
check "Alt+B types nothing" "box 12" alt+b
check "Alt+7 types nothing" "box 12" alt+7
check "Super+B types nothing" "box 12" super+b
check "AltGr+Q types @, refused" "$refused" ISO_Level3_Shift+q
check "dead circumflex then e types e circumflex, refused" "$refused" dead_circumflex e
check "Ctrl+Backspace is refused" "$refused" ctrl+BackSpace
check "Ctrl+H erases one character" "box 1" ctrl+h
check "Home and Delete edit" "box 2" Home Delete
check "Alt+F opens the menu, D chooses German" "menu mnfich|box 0" alt+f d
exit "$failed"
