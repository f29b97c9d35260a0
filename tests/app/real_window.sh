#!/bin/sh
# Starts the built program as a user would: without a usable display it must
# say so in one line and fail; under Xvfb it must open its window, switch
# language from the menu, convert a number, and leave a screenshot per language.
# Usage: real_window.sh PROGRAM SCREENSHOT_DIR
set -eu
program=$1
shots=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$shots"

# Without a display it can use, the program must say so in one line that
# names the way out and exit with 2: never Qt's abort (134, with a core).
refuses() {
    what=$1
    shift
    set +e
    said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE "$@" "$program" 2>&1 </dev/null)
    status=$?
    set -e
    if [ "$status" -ne 2 ] || [ "$(printf '%s\n' "$said" | wc -l)" -ne 1 ] \
        || ! printf '%s' "$said" | grep -q xvfb-run; then
        echo "FAIL: $what: the program said '$said' and exited with $status"
        exit 1
    fi
    echo "ok: $what: $said"
}
# A display number no X server on this machine holds.
free=99
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ] \
    || grep -q "@/tmp/.X11-unix/X$free\$" /proc/net/unix; do
    free=$((free + 1))
done
refuses "without a display"
refuses "with no server at :$free" DISPLAY=":$free"
refuses "with a display name that means nothing" DISPLAY='garbage:::'
refuses "with X11 forced and no display" QT_QPA_PLATFORM=xcb

exec xvfb-run -a -s "-screen 0 640x480x24 -wr" sh "$here/real_window_session.sh" "$program" "$shots"
