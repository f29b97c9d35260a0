#!/bin/sh
# Types on a real German X keyboard, under Xvfb, into the main window of
# observed_window.cpp, and compares what the window tells after the keys with
# what a person must see: Alt and Super type nothing and leave the menu's
# mnemonics working, AltGr and dead keys type characters that are refused,
# Ctrl+Backspace is refused, Ctrl+H erases like Backspace.
# Usage: real_keys.sh OBSERVED_WINDOW LOG_DIR
set -eu
if [ "${1:-}" != --inside ]; then
    # -noreset: between two clients the server would fall back to its own keyboard.
    exec xvfb-run -a -s "-screen 0 640x480x24 -noreset" sh "$0" --inside "$@"
fi
program=$2
log=$3/real_keys.log
mkdir -p "$3"
unset QT_QPA_PLATFORM
export LC_ALL=C.UTF-8 # the locale picks the table that composes dead keys

fail() { echo "FAIL: $*"; exit 1; }

setxkbmap de
setxkbmap -query | grep -q '^layout: *de$' || fail "no German keyboard layout"

"$program" >"$log" 2>"$log.stderr" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Numoria$' | head -n 1) \
    || fail "no window appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
# No window manager: the pointer gives focus. The menu bar sits above the
# 162 x 277 client area, the box 49 pixels down it.
xdotool mousemove "$((X + 100))" "$((Y + HEIGHT - 277 + 49))" click 1

# Presses F12, which types nothing, and waits until the window tells its box:
# every key before it has then been handled.
settle() {
    asked=$(grep -c '^box ' "$log" || true)
    xdotool key F12
    for _ in $(seq 100); do
        [ "$(grep -c '^box ' "$log" || true)" -gt "$asked" ] && return 0
        sleep 0.2
    done
    fail "the window did not answer; it said: $(cat "$log" "$log.stderr")"
}

# check NAME EXPECTED KEY...: with "12" in the box, presses the keys in turn and
# compares all that the window told since with EXPECTED.
failed=0
check() {
    name=$1
    expected=$2
    shift 2
    xdotool key End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace 1 2
    settle
    [ "$(tail -n 1 "$log")" = "box 12" ] || fail "could not type 12 into the box: $(tail -n 3 "$log")"
    from=$(wc -l <"$log")
    xdotool key "$@"
    settle
    told=$(tail -n +"$((from + 1))" "$log")
    if [ "$told" = "$expected" ]; then
        echo "ok: $name"
    else
        echo "FAIL: $name: expected [$expected], the window told [$told]"
        failed=1
    fi
}

refused="message Montant: Seul les chiffres sont permis !"
check "Alt+B types nothing" "box 12" alt+b
check "Alt+7 types nothing" "box 12" alt+7
check "Super+B types nothing" "box 12" super+b
check "AltGr+Q types @, refused" "$refused
box 12" ISO_Level3_Shift+q
check "dead circumflex then e types e circumflex, refused" "$refused
box 12" dead_circumflex e
check "Ctrl+Backspace is refused" "$refused
box 12" ctrl+BackSpace
check "Ctrl+H erases one character" "box 1" ctrl+h
check "Home and Delete edit" "box 2" Home Delete
check "Alt+F opens the menu, D chooses German" "menu mnfich
box 0" alt+f d
exit "$failed"
