#!/bin/sh
# The built program under a real window manager, openbox, in Xvfb. With the
# main window closed, the About box is the last window: no way of minimising
# it may leave the program running with nothing on screen to reach.
# Usage: window_manager.sh PROGRAM
set -eu
if [ "${1:-}" != --inside ]; then
    exec xvfb-run -a -s "-screen 0 640x480x24" sh "$0" --inside "$@"
fi
program=$2
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
scratch=$(mktemp -d)
# openbox with its stock settings, whatever the user running the tests has
export XDG_CONFIG_HOME="$scratch" XDG_CACHE_HOME="$scratch"
pids=""
trap 'for p in $pids; do kill "$p" 2>/dev/null || true; done; rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

# Prints the first visible window whose title matches $1 and is not $2.
# (xdotool can fail while the manager reparents windows, so ask again.)
find_window() {
    for _ in $(seq 40); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
            [ "$id" != "${2:-}" ] && { echo "$id"; return 0; }
        done
        sleep 0.25
    done
    return 1
}

minimisable() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | grep -q _NET_WM_ACTION_MINIMIZE; }

openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
pids="$!"
for _ in $(seq 40); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.25
done

"$program" >"$scratch/program.log" 2>&1 &
pid=$!
pids="$pids $pid"
main=$(find_window '^Numoria$') || fail "no main window"
# The main window asks for no minimise or maximise button in its Motif hints
# (flags, functions, decorations), which most managers honour; openbox keeps
# its minimise button regardless, harmless there as the window is in the task
# bar, but must not offer to maximise the fixed-size window.
set -- $(xprop -id "$main" _MOTIF_WM_HINTS | sed 's/.*= //; s/,/ /g')
[ $(($2 & 0x18)) -eq 0 ] && [ $(($3 & 0x60)) -eq 0 ] || fail "Motif hints of the main window: $*"
xprop -id "$main" _NET_WM_ALLOWED_ACTIONS | grep -q MAXIMIZE && fail "openbox offers to maximise the main window"

# The About box, from the first item of the File menu.
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 0.3
xdotool key alt+f
sleep 0.5
xdotool key Return
about=$(find_window ' Numoria$' "$main") || fail "no About box"
echo "About box: $(xprop -id "$about" _NET_WM_ALLOWED_ACTIONS)"
minimisable "$about" && fail "openbox offers to minimise the About box"

# Closing the main window the manager's way (Alt+F4) leaves the box running.
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key alt+F4
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the program ended while its About box was open"
xdotool search --onlyvisible --name '^Numoria$' >/dev/null 2>&1 && fail "the main window is still there"

# Ask the manager to minimise the box; it must stay on screen.
xdotool windowminimize "$about" 2>/dev/null || true
sleep 1
xprop -id "$about" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN && fail "the About box is hidden"
xwininfo -id "$about" | grep -q 'Map State: IsViewable' || fail "the About box is not on screen"

# The user reaches it: it takes the focus, and Escape ends the program.
xdotool windowactivate --sync "$about" 2>/dev/null || true
sleep 0.3
xdotool key Escape
for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.25; done
kill -0 "$pid" 2>/dev/null && fail "Escape on the About box did not end the program"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "the program exited with status $status: $(cat "$scratch/program.log")"
echo "ok: the About box stays reachable as the last window"
