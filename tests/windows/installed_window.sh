#!/bin/sh
# Inside Xvfb: silent install, the program from "C:\Program Files\Numoria" with
# only the DLLs installed there, at 96 and at 144 DPI; each time both windows
# looked at from outside by the probe (frame, task bar, no Size nor Maximize,
# centred frame) and on a screenshot (icon), 12345 converted; then a silent
# uninstall that leaves nothing behind.
# Usage: installed_window.sh WINE SETUP_EXE PROBE_EXE SCREENSHOT_DIR (prefix in WINEPREFIX)
set -eu
wine=$1 probe=$3 shots=$4
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

pid=
trap '[ -z "$pid" ] || kill "$pid" 2>/dev/null || true' EXIT
# The window's picture from the screen, suffixed with the DPI unless it is 96.
shoot() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    shot="$shots/windows-$2$suffix.png"
    import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$shot"
}
# The program's icon, black-backed, at the left of the title bar, which is
# blue elsewhere: dark on average where it is drawn.
has_icon() {
    dark=$(convert "$1" +repage -crop "$(px 12)x$(px 12)+$(px 8)+$(px 7)" -colorspace gray -format '%[fx:mean<0.35]' info:)
    [ "$dark" = 1 ]
}
# The program at one DPI, read by Wine when its session starts.
run_at() {
    dpi=$1 suffix=; [ "$1" = 96 ] || suffix=-$1
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    "${wine%/*}/wineserver" -w
    env -u WINEPATH -u WINEQT_QPA_PLATFORM "$wine" 'C:\Program Files\Numoria\numoria.exe' >"$shots/program$suffix.log" 2>&1 &
    pid=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Numoria$' | head -n 1)
    [ -n "$window" ] || fail "no window at $dpi DPI"
    sleep 1; eval "$(xdotool getwindowgeometry --shell "$window")"
    "$wine" "$probe" "$dpi" 1 || fail "main window at $dpi DPI"
    # The client area is 162 x 277 (at 96 DPI) below the menu bar, inside an even frame.
    left=$((X + (WIDTH - $(px 162)) / 2)) top=$((Y + HEIGHT - (WIDTH - $(px 162)) / 2 - $(px 277)))
    click() { xdotool mousemove "$((left + $(px "$1")))" "$((top + $(px "$2")))" click 1; sleep 0.5; }
    click 100 49; xdotool key End BackSpace type --delay 100 12345
    click 100 92; shoot "$window" main
    ninth=$(convert "$shot" -format "%[pixel:p{$((left - X + $(px 28))),$((top - Y + $(px 252)))}]" info:)
    case $ninth in *255,255,192*|*FFFFC0*|*ffffc0*) fail "no ninth ideogram at $dpi DPI" ;; esac
    has_icon "$shot" || fail "main window without its icon at $dpi DPI"
    click 20 -11; xdotool key Down Return
    about=$(timeout 20 xdotool search --sync --onlyvisible --name ' Numoria$' | head -n 1)
    [ -n "$about" ] || fail "no About box at $dpi DPI"
    sleep 1; shoot "$about" about
    has_icon "$shot" || fail "About box without its icon at $dpi DPI"
    "$wine" "$probe" "$dpi" 2 || fail "windows with the About box at $dpi DPI"
    kill "$pid"; wait "$pid" || true; pid=
}
px() { echo $(($1 * dpi / 96)); }
run_at 144
run_at 96

"$wine" 'C:\Program Files\Numoria\uninstall.exe' /S
# The uninstaller goes on from a copy of itself: wait for its work.
for _ in $(seq 30); do [ -e "$dir" ] || break; sleep 0.5; done
[ ! -e "$dir" ] && [ ! -e "$link" ] || fail "files left after uninstalling"
! "$wine" reg query "$key" >/dev/null 2>&1 || fail "uninstall entry left"
echo "ok: installed; at 144 and 96 DPI both windows framed with their icon, listed, centred; 12345 converted; uninstalled; screenshots in $shots"
