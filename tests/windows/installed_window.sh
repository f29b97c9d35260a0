#!/bin/sh
# Inside Xvfb: silent install, the program from "C:\Program Files\Numoria" with
# only the DLLs installed there, 12345 converted, the About box from the menu,
# a screenshot of each, then a silent uninstall that leaves nothing behind.
# Usage: installed_window.sh WINE SETUP_EXE SCREENSHOT_DIR (prefix in WINEPREFIX)
set -eu
wine=$1 shots=$3
dir="$WINEPREFIX/drive_c/Program Files/Numoria"
link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Numoria.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Numoria'
fail() { echo "FAIL: $*"; exit 1; }
mkdir -p "$shots"

"$wine" "$2" /S
[ -f "$dir/numoria.exe" ] && [ -f "$link" ] || fail "not installed"
"$wine" reg query "$key" /v Publisher | grep -q Ordalis || fail "no uninstall entry"
# Wine then draws the title bar itself, as Windows would.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
env -u WINEPATH -u WINEQT_QPA_PLATFORM "$wine" 'C:\Program Files\Numoria\numoria.exe' >"$shots/program.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Numoria$' | head -n 1)
[ -n "$window" ] || fail "no window"
sleep 1; eval "$(xdotool getwindowgeometry --shell "$window")"
# The client area is 162 x 277 below the menu bar, inside an even frame.
left=$((X + (WIDTH - 162) / 2)) top=$((Y + HEIGHT - (WIDTH - 162) / 2 - 277))
click() { xdotool mousemove "$((left + $1))" "$((top + $2))" click 1; sleep 0.5; }

click 100 49; xdotool key End BackSpace type --delay 100 12345
click 100 92; import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$shots/windows-main.png"
ninth=$(convert "$shots/windows-main.png" -format "%[pixel:p{$((left - X + 28)),$((top - Y + 252))}]" info:)
case $ninth in *255,255,192*|*FFFFC0*|*ffffc0*) fail "no ninth ideogram" ;; esac
click 20 -11; xdotool key Down Return
about=$(timeout 20 xdotool search --sync --onlyvisible --name ' Numoria$' | head -n 1)
[ -n "$about" ] || fail "no About box"
sleep 1; eval "$(xdotool getwindowgeometry --shell "$about")"
import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$shots/windows-about.png"
kill "$pid"; wait "$pid" || true

"$wine" 'C:\Program Files\Numoria\uninstall.exe' /S
# The uninstaller goes on from a copy of itself: wait for its work.
for _ in $(seq 30); do [ -e "$dir" ] || break; sleep 0.5; done
[ ! -e "$dir" ] && [ ! -e "$link" ] || fail "files left after uninstalling"
! "$wine" reg query "$key" >/dev/null 2>&1 || fail "uninstall entry left"
echo "ok: installed, 12345 converted, About box shown, uninstalled; screenshots in $shots"
