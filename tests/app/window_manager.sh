#!/bin/sh
# Usage: window_manager.sh PROGRAM SCREENSHOT_DIR. Under the window managers of
# Debian's own desktops, each on an X server and a session bus of its own, both
# windows are ordinary ones as the manager itself tells it: framed, movable,
# closable, in the task bar, never held above each other, centred frame and
# all, and the program ends with its last window. Each leaves a picture of
# both windows, frames included.
. "$(dirname "$0")/../display_helpers.sh"
if [ -z "${NUMORIA_MANAGER:-}" ]; then
    failed="" display=100
    for manager in mutter kwin_x11 xfwm4 openbox; do
        # What the bus and the manager say goes to standard error: shown on failure only.
        NUMORIA_MANAGER=$manager xvfb-run -a -n $display -s "-screen 0 640x480x24 -noreset" \
            dbus-run-session -- sh "$0" "$@" 2>"$scratch/$manager.err" || failed="$failed $manager"
        case $failed in *$manager) cat "$scratch/$manager.err" ;; esac
        display=$((display + 1))
    done
    [ -z "$failed" ] || fail "under$failed"
    exit 0
fi
fail() { echo "FAIL: $NUMORIA_MANAGER: $*"; exit 1; }
export XDG_CONFIG_HOME="$scratch" XDG_CACHE_HOME="$scratch" # each manager as it comes, whoever runs the tests
export KDE_DEBUG=1 NO_AT_BRIDGE=1 # KWin must not restart itself when its X server goes
case $NUMORIA_MANAGER in
    mutter) set -- "$1" "$2" mutter --x11 --replace --sm-disable ;;
    kwin_x11) set -- "$1" "$2" kwin_x11 --replace ;;
    xfwm4) set -- "$1" "$2" xfwm4 --replace --compositor=off --sm-client-disable ;; # it reads its settings from the bus
    openbox) set -- "$1" "$2" openbox --sm-disable ;;
esac
program=$1 shots=$2 && shift 2
mkdir -p "$shots"
"$@" >"$scratch/manager.log" 2>&1 & pids=$!
within 20 "xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'" \
    || fail "it did not start: $(cat "$scratch/manager.log")"

# eventually SECONDS COMMAND...: like within, for the functions of this script.
eventually() {
    tries=$(($1 * 5)) && shift
    until "$@"; do
        tries=$((tries - 1)) && [ "$tries" -gt 0 ] || return 1
        sleep 0.2
    done
}
property() { xprop -id "$1" "$2" | sed 's/^[^=]*= *//'; }
press() { xdotool windowactivate --sync "$1" 2>/dev/null || true; shift; xdotool sleep 0.3 key "$@"; }
about_item() { press "$window" alt+f sleep 0.5 key Return; } # the first item of the File menu
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
# Bottom to top; xdotool names windows in decimal, the manager in hex.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*# *//' | tr -d , | tr ' ' '\n' | grep -n -x "$(printf 0x%x "$1")" | cut -d: -f1; }
above() { [ "$(stacking "$1")" -gt "$(stacking "$2")" ]; }
on_top() { [ "$(stacking "$1")" -eq "$(xprop -root _NET_CLIENT_LIST_STACKING | tr , '\n' | wc -l)" ]; }
# The frame, client area and _NET_FRAME_EXTENTS (left, right, top, bottom) together, centred within 3 pixels.
centred() {
    seen="no frame"
    set -- $(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left [XY]: *//p; s/^ *Width: //p; s/^ *Height: //p') \
        $(property "$1" _NET_FRAME_EXTENTS | tr -d ,)
    [ $# -eq 8 ] && [ "$7" -gt 0 ] || return 1
    corner="$(($1 + $3 - 4)) $(($2 + $4 - 4))" # the client area's lower right corner
    fx=$(($1 - $5)) fy=$(($2 - $7)) fw=$(($3 + $5 + $6)) fh=$(($4 + $7 + $8))
    seen="frame ${fw}x$fh at $fx,$fy"
    x=$((2 * fx + fw - 640)) y=$((2 * fy + fh - 480))
    [ "${x#-}" -le 6 ] && [ "${y#-}" -le 6 ]
}

drawn() { [ "$(import -window root -crop "1x1+$1+$2" -depth 8 -format '%[hex:p{0,0}]' info:)" = FFFFC0 ]; }

# WHAT ID PICTURE: an ordinary window: framed, centred, movable, closable, in
# the task bar, with no maximise (nor minimise) asked for or offered.
ordinary() {
    eventually 10 centred "$2" || fail "the $1 is not centred on the 640x480 screen: $seen, $(property "$2" _NET_FRAME_EXTENTS)"
    # Once its light yellow shows through whatever animation the manager plays when a window appears.
    eventually 5 drawn $corner || fail "the $1 does not show its light yellow at $corner"
    import -window root -crop "${fw}x$fh+$fx+$fy" "$shots/$NUMORIA_MANAGER-$3.png"
    actions=$(property "$2" _NET_WM_ALLOWED_ACTIONS)
    echo "$NUMORIA_MANAGER: $1: $seen; allowed: $actions"
    for action in MOVE CLOSE; do
        echo "$actions" | grep -q "_NET_WM_ACTION_$action" || fail "the $1 cannot $action: $actions"
    done
    # KWin and openbox offer to minimise whatever the hints say (harmless, in
    # the task bar); openbox even draws a maximise button that does nothing.
    ! echo "$actions" | grep -q MAXIMIZE || fail "the $1 offers to maximise: $actions"
    # Task bars leave out what is skip-taskbar, transient or not a normal window.
    ! property "$2" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "the $1 is out of the task bar: $(property "$2" _NET_WM_STATE)"
    [ "$(property "$2" _NET_WM_WINDOW_TYPE)" = _NET_WM_WINDOW_TYPE_NORMAL ] && ! xprop -id "$2" WM_TRANSIENT_FOR | grep -q '#' \
        || fail "the $1 is no ordinary window: $(xprop -id "$2" _NET_WM_WINDOW_TYPE WM_TRANSIENT_FOR)"
    # Motif flags, functions, decorations: neither minimise nor maximise.
    set -- $(property "$2" _MOTIF_WM_HINTS | tr , ' ')
    [ $# -ge 3 ] && [ $(($2 & 0x18)) -eq 0 ] && [ $(($3 & 0x60)) -eq 0 ] || fail "Motif hints of the $1: $*"
}

start "$program" "$scratch/program.log"
ordinary "main window" "$window" main
about_item
about=$(find_window ' Numoria$' "$window") || fail "no About box"
ordinary "About box" "$about" about

# The About box covers the middle of the main window; its lower edge shows.
eval "$(xwininfo -id "$window" | sed -n 's/.*Absolute upper-left \([XY]\): */\1=/p; s/^ *Width: /WIDTH=/p; s/^ *Height: /HEIGHT=/p')"
xdotool mousemove $((X + WIDTH - 10)) $((Y + HEIGHT - 6)) click 1
eventually 5 above "$window" "$about" || fail "a click left the main window below the About box: $(xprop -root _NET_CLIENT_LIST_STACKING)"

# Minimising is no button, but a manager may still do it when asked: mutter
# refuses, the others hide the box. Either way the About item brings it back.
xdotool windowminimize "$about" sleep 0.5
echo "$NUMORIA_MANAGER: asked to minimise, the About box's state: $(property "$about" _NET_WM_STATE)"
about_item
eventually 5 viewable "$about" || fail "the About item left the minimised box off screen: $(property "$about" _NET_WM_STATE)"
! property "$about" _NET_WM_STATE | grep -q HIDDEN || fail "the About item left the box minimised"
eventually 5 on_top "$about" || fail "the About item left the box below: $(xprop -root _NET_CLIENT_LIST_STACKING)"
[ "$(xdotool search --onlyvisible --name ' Numoria$' | wc -l)" -eq 1 ] || fail "a second About box opened"

# The manager's close is OK: the box goes, the program stays.
wmctrl -i -c "$about"
eventually 5 eval '! viewable "$about"' || fail "the manager's close left the About box open"
sleep 0.5 && kill -0 "$pid" 2>/dev/null || fail "closing the About box ended the program with its main window open"
# Its last window, the box, then ends it.
about_item
about=$(find_window ' Numoria$' "$window") || fail "no About box the second time"
wmctrl -i -c "$window"
eventually 5 eval '! viewable "$window"' || fail "the manager's close left the main window open"
sleep 0.5 && kill -0 "$pid" 2>/dev/null || fail "closing the main window ended the program while its About box was open"
viewable "$about" && ! property "$about" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "the last window is out of reach"
wmctrl -i -c "$about"
ended_well "the manager's close of the last window"
echo "ok: $NUMORIA_MANAGER: two ordinary windows, centred, and the program ends with the last"
