#!/bin/sh
# Starts the built program as a user would: without a display it must say so
# in one line and fail; under Xvfb it must open its window, switch language
# from the menu, convert a number, and leave a screenshot per language.
# Usage: real_window.sh PROGRAM SCREENSHOT_DIR
set -eu
program=$1
shots=$2
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$shots"

set +e
said=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1 </dev/null)
status=$?
set -e
if [ "$status" -eq 0 ] || [ "$(printf '%s\n' "$said" | wc -l)" -ne 1 ] \
    || ! printf '%s' "$said" | grep -q xvfb-run; then
    echo "FAIL: without a display the program said '$said' and exited with $status"
    exit 1
fi
echo "ok: without a display: $said"

exec xvfb-run -a -s "-screen 0 640x480x24 -wr" sh "$here/real_window_session.sh" "$program" "$shots"
