#!/bin/sh
# Usage: window_manager.sh PROGRAM. Under the openbox window manager, the About
# box as the last window stays in the task bar, so minimising it cannot lose it.
. "$(dirname "$0")/../display_helpers.sh"
under_xvfb "" "$@"
export XDG_CONFIG_HOME="$scratch" XDG_CACHE_HOME="$scratch" # openbox as it comes, whoever runs the tests
openbox --sm-disable >"$scratch/openbox.log" 2>&1 & pids=$!
within 10 "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" \
    || fail "openbox did not start: $(cat "$scratch/openbox.log")"
press() { xdotool windowactivate --sync "$1" 2>/dev/null || true; shift; xdotool sleep 0.3 key "$@"; }
actions() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS; }

start "$1" "$scratch/program.log"
# The main window asks for no minimise or maximise button in its Motif hints
# (flags, functions, decorations); openbox keeps its minimise button anyway,
# harmless with the window in the task bar, but must not offer to maximise it.
set -- $(xprop -id "$window" _MOTIF_WM_HINTS | sed -n 's/.*= //p' | tr , ' ')
[ $# -ge 3 ] && [ $(($2 & 0x18)) -eq 0 ] && [ $(($3 & 0x60)) -eq 0 ] || fail "Motif hints of the main window: $*"
! actions "$window" | grep -q MAXIMIZE || fail "openbox offers to maximise the main window"

press "$window" alt+f sleep 0.5 key Return # About, the first item of the File menu
about=$(find_window ' Numoria$' "$window") || fail "no About box"
press "$window" alt+F4 sleep 1
kill -0 "$pid" 2>/dev/null || fail "Alt+F4 on the main window ended the program while its About box was open"
! xdotool search --onlyvisible --name '^Numoria$' >/dev/null 2>&1 || fail "Alt+F4 left the main window there"
! xprop -id "$about" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "the About box is left out of the task bar"
press "$about" Escape
ended_well "Escape on the About box"
echo "ok: the About box stays reachable as the last window"
