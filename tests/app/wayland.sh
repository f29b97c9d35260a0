#!/bin/sh
# Usage: wayland.sh TEST_WAYLAND PROGRAM. On weston's headless compositor,
# with Qt's Wayland plugin: the windows' own test (test_wayland.cpp), then the
# program itself for a few seconds; neither writes anything to standard error.
. "$(dirname "$0")/../display_helpers.sh"
unset DISPLAY WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$scratch" XDG_CONFIG_HOME="$scratch" # weston wants its directory private (mkdir -m 0700)
chmod 0700 "$scratch"
socket=numoria-test-$$
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$scratch/weston.log" 2>&1 & pids=$!
within 10 "[ -S '$scratch/$socket' ]" || fail "weston did not start: $(cat "$scratch/weston.log")"
export WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland

status=0
"$1" >"$scratch/test.log" 2>"$scratch/test.err" || status=$?
[ "$status" -eq 0 ] && [ ! -s "$scratch/test.err" ] && ! grep -E -q '^(QWARN|QCRITICAL)' "$scratch/test.log" \
    || fail "the windows' test under weston (status $status): $(cat "$scratch/test.log" "$scratch/test.err")"
echo "ok: both windows, the clips, a tooltip and a message box under weston, and the last window ends the program"

"$2" >"$scratch/program.log" 2>"$scratch/program.err" & pid=$!
pids="$pids $pid"
sleep 3
kill -0 "$pid" 2>/dev/null || fail "the program ended by itself under weston: $(cat "$scratch/program.err")"
[ ! -s "$scratch/program.err" ] || fail "the program wrote under weston: $(cat "$scratch/program.err")"
echo "ok: the program runs under weston without a word on standard error"
