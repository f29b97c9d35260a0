#!/bin/sh
# Runs inside an X server: starts PROGRAM, finds its "Numoria" window and
# compares shots of the animation area a little apart in time.
# Usage: check-animation.sh PROGRAM WORK_DIR playing|missing
#   playing: the area changes and stderr says nothing about numoria.avi
#   missing: the area stays still and stderr names numoria.avi
set -eu

program=$1 work=$2 expect=$3
fail() { echo "FAIL ($expect): $*" >&2; exit 1; }

"$program" 2>"$work/stderr.log" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true' EXIT

window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Numoria$' | head -n 1) || true
[ -n "$window" ] || { cat "$work/stderr.log" >&2; fail "no window named Numoria"; }

eval "$(xdotool getwindowgeometry --shell "$window")"
# The client area is 162 x 277 pixels below the menu bar.
[ "$WIDTH" -eq 162 ] || fail "the window is $WIDTH pixels wide, not 162"
menu_bar=$((HEIGHT - 277))
[ "$menu_bar" -gt 0 ] || fail "the window is only $HEIGHT pixels high"
area="42x42+$((X + 72))+$((Y + menu_bar + 184))"

shot() { import -window root -crop "$area" +repage "$work/$1.png"; }
colours() { identify -format '%k' "$work/$1.png"; }
same() { compare -metric AE "$work/$1.png" "$work/$2.png" null: >/dev/null 2>&1; }

# Wait for the first frame, then for a later one; a hold lasts 0.4 s.
tries=0
shot first
while [ "$expect" = playing ] && [ "$(colours first)" -le 1 ] && [ "$tries" -lt 50 ]; do
    sleep 0.1; tries=$((tries + 1)); shot first
done
tries=0
shot later
while same first later && [ "$tries" -lt 30 ]; do
    sleep 0.1; tries=$((tries + 1)); shot later
done

case "$expect" in
    playing)
        [ "$(colours first)" -gt 1 ] || fail "the animation area stays empty"
        same first later && fail "the animation area does not change over 3 s"
        if grep -F "numoria.avi" "$work/stderr.log" >&2; then
            fail "the program warned about its clip"
        fi
        ;;
    missing)
        same first later || fail "the animation area changes without a clip"
        grep -q -F "numoria.avi" "$work/stderr.log" || fail "no warning about the missing numoria.avi"
        ;;
esac
exit 0
