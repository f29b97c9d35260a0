# Sourced by the scripts that run the built program on a display: each names
# what broke in a FAIL line, and leaves nothing it started behind.
set -eu
unset QT_QPA_PLATFORM QT_SCALE_FACTOR
scratch=$(mktemp -d)
pids=""
trap 'kill $pids 2>/dev/null || true; rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# under_xvfb SERVER_OPTIONS ARGS...: reruns the calling script in an Xvfb of its own,
# that never resets: it would refuse clients meanwhile and forget its keyboard layout.
under_xvfb() {
    [ -z "${NUMORIA_IN_XVFB:-}" ] || return 0
    server="-screen 0 640x480x24 -noreset $1" && shift
    rm -rf "$scratch"
    NUMORIA_IN_XVFB=1 exec xvfb-run -a -s "$server" sh "$0" "$@"
}

# within SECONDS CONDITION: polls a shell condition until it holds or time runs out.
within() { timeout "$1" sh -c "until $2; do sleep 0.2; done"; }

# find_window TITLE_REGEX [BUT_NOT_ID]: asks again while the program starts or a manager reparents.
find_window() { within 20 "xdotool search --onlyvisible --name '$1' 2>/dev/null | grep -m 1 -v -x '${2:-none}'"; }

# start PROGRAM LOG: sets pid, window, its X Y WIDTH HEIGHT, and menu, the
# height of the menu bar over the 162 x 277 client area.
start() {
    log=$2
    "$1" >"$log" 2>"$log.err" & pid=$!
    pids="$pids $pid"
    window=$(find_window '^Numoria$') || fail "no main window appeared: $(cat "$log.err")"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    menu=$((HEIGHT - 277))
}
click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1 sleep 0.3; }

# ended_well WHAT: WHAT ended the program, with status 0 and no report from a sanitized build.
ended_well() {
    within 5 "! kill -0 $pid 2>/dev/null" || fail "$1 did not end the program"
    wait "$pid" || fail "the program exited with status $?: $(cat "$log.err")"
    ! grep -E -q 'Sanitizer|runtime error' "$log.err" || fail "the program reported: $(cat "$log.err")"
}
