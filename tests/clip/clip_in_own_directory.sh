#!/bin/sh
# The program reads its clip only from its own directory, found from the bytes
# of its real path: here a directory whose name is not valid UTF-8, started
# from a folder whose numoria.avi is a decoy that cannot be played.
# Usage: clip_in_own_directory.sh PROGRAM
set -eu
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
home="$work/$(printf 'bin\377\376')"
mkdir "$home" "$work/elsewhere"
cp "$program" "$(dirname "$program")/numoria.avi" "$home/"
printf 'a decoy, not a clip\n' >"$work/elsewhere/numoria.avi"

# The program runs until stopped; the main window opens the clip at start-up.
set +e
(cd "$work/elsewhere" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
    timeout 3 "$home/numoria" </dev/null >/dev/null 2>"$work/said")
status=$?
set -e
# 124: still running when stopped. Any word about a clip means the real one did not play.
if [ "$status" -ne 124 ] || grep -i -e clip -e numoria.avi "$work/said"; then
    echo "FAIL: the program exited with $status and said:"
    cat "$work/said"
    exit 1
fi
echo "ok: the clip beside the program plays; the one in the current directory is never read"
