#!/bin/sh
# Usage: clip_in_own_directory.sh PROGRAM. The program reads its clip only from its
# own directory, found from the bytes of its real path: here a name that is not
# UTF-8, started from a folder whose numoria.avi is a decoy that cannot be played.
. "$(dirname "$0")/../display_helpers.sh"
home="$scratch/$(printf 'bin\377\376')"
mkdir "$home" "$scratch/elsewhere"
cp "$1" "$(dirname "$1")/numoria.avi" "$home/"
echo 'a decoy, not a clip' >"$scratch/elsewhere/numoria.avi"
status=0 # offscreen still paints, and the clip is opened just after the first paint
(cd "$scratch/elsewhere" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
    timeout 3 "$home/numoria" </dev/null >/dev/null 2>"$scratch/said") || status=$?
# 124: still running when stopped. Any word about a clip means the real one did not play.
[ "$status" -eq 124 ] && ! grep -q -i -e clip -e numoria.avi "$scratch/said" \
    || fail "the program exited with $status and said: $(cat "$scratch/said")"
echo "ok: the clip beside the program plays; the one in the current directory is never read"
