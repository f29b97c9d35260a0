#!/bin/sh
# Usage: real_window.sh PROGRAM SCREENSHOT_DIR. Without a usable display the
# program must say why in one line; under Xvfb with no window manager (the
# pointer gives focus) it converts in each language, leaving screenshots.
. "$(dirname "$0")/../display_helpers.sh"
under_xvfb -wr "$@"
program=$1 shots=$2
mkdir -p "$shots"

free=99 # a display number no X server on this machine holds
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ] \
    || grep -q "@/tmp/.X11-unix/X$free\$" /proc/net/unix; do free=$((free + 1)); done
# One line that names the cause (of a list of platforms, the first that failed),
# and status 2: never Qt's abort (134, with a core).
while IFS='|' read -r expected settings; do
    status=0
    said=$(env $settings "$program" 2>&1 </dev/null) || status=$?
    [ "$status" -eq 2 ] && [ "$(printf '%s\n' "$said" | wc -l)" -eq 1 ] && [ "${said#numoria: $expected}" != "$said" ] \
        || fail "with $settings, the program said '$said' and exited with $status"
done <<EOF
no display to open a window on|-u DISPLAY -u WAYLAND_DISPLAY
could not connect to display :$free; on a machine without a display|-u WAYLAND_DISPLAY DISPLAY=:$free
could not connect to display garbage:::;|DISPLAY=garbage:::
could not connect to display $DISPLAY: Authorization required|XAUTHORITY=$scratch/none
Could not find the Qt platform plugin "garbage"|QT_QPA_PLATFORM=garbage;nothing QT_LOGGING_RULES=qt.qpa.*=true
Failed to create wl_display|-u WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland
the linuxfb platform found no screen|QT_QPA_PLATFORM=linuxfb
|QT_QPA_PLATFORM=eglfs
|QT_QPA_PLATFORM=minimalegl
EOF
echo "ok: with a display it cannot use, the program says why in one line and exits with 2"

file_menu() { click 20 $((menu / 2)); xdotool key "$@" sleep 0.5; }
pixel() { convert "$shots/main-$language.png" -format "%[hex:p{$1,$2}]" info:; }
# The menu bar and the prompt, as the clip below plays on and its frames differ anyway.
words() { convert "$shots/main-$1.png" +repage -crop "162x$((menu + 30))+0+0" +repage -format '%#' info:; }
# The launcher names the window class that desktops match the window to.
wmclass=$(sed -n 's/^StartupWMClass=//p' "$(dirname "$0")/../../packaging/org.example.Numoria.desktop")
# Each language also starts with a scale factor Qt cannot use, which is
# dropped with one warning (-1 crashed the About box, 0 opened no window).
for language in fr de en; do
    case $language in fr) factor=0 ;; de) factor=-1 ;; en) factor=nan ;; esac
    QT_SCALE_FACTOR=$factor start "$program" "$shots/program.log"
    [ "$(grep -c '^numoria:' "$shots/program.log.err")" -eq 1 ] \
        && grep -q "^numoria: QT_SCALE_FACTOR=$factor is not a positive number" "$shots/program.log.err" \
        || fail "QT_SCALE_FACTOR=$factor: $(cat "$shots/program.log.err")"
    [ "$WIDTH" -eq 162 ] || fail "the window is $WIDTH pixels wide"
    xprop -id "$window" WM_CLASS | grep -q ", \"$wmclass\"\$" || fail "$(xprop -id "$window" WM_CLASS), not $wmclass"
    [ $language = fr ] || file_menu "${language%?}" # d for Deutsch, e for English
    click 100 $((menu + 49))                         # the input box
    if [ $language = fr ]; then # a letter brings the real digits-only message box
        xdotool key End a
        message=$(find_window '^Montant$' "$window") || fail "no message box for a letter"
        eval "$(xdotool sleep 0.5 getwindowgeometry --shell --prefix MSG_ "$message")"
        import -window root -crop "${MSG_WIDTH}x$MSG_HEIGHT+$MSG_X+$MSG_Y" "$shots/message-fr.png"
        xdotool mousemove $((MSG_X + 10)) $((MSG_Y + 10)) windowfocus "$message" sleep 0.3 key Return
        within 5 "! xdotool search --onlyvisible --name '^Montant\$' >/dev/null" || fail "Enter left the message box open"
        click 100 $((menu + 49))
    fi
    xdotool key End BackSpace type --delay 50 12345
    click 100 $((menu + 92))                         # Convert
    xdotool mousemove $((X + 28)) $((Y + menu + 52)) sleep 2 # a tooltip from the first ideogram
    import -window root -crop "$((WIDTH + 190))x$((HEIGHT + 10))+$X+$Y" "$shots/main-$language.png"
    [ "$(pixel 150 270)" = FFFFC0 ] || fail "the background is $(pixel 150 270), not light yellow"
    [ "$(pixel 28 $((menu + 40 + 8 * 25 + 12)))" != FFFFC0 ] || fail "no ninth ideogram down the column"
    [ $language = fr ] || [ "$(words $language)" != "$(words fr)" ] || fail "the $language window reads as the French one"

    file_menu Down Return # About, the first item
    about=$(find_window ' Numoria$' "$window") || fail "no About box in $language"
    eval "$(xdotool sleep 1 getwindowgeometry --shell --prefix ABOUT_ "$about")"
    import -window root -crop "${ABOUT_WIDTH}x$ABOUT_HEIGHT+$ABOUT_X+$ABOUT_Y" "$shots/about-$language.png"
    file_menu Up Return sleep 0.5 # Quit, the last item: the About box keeps the program running
    kill -0 "$pid" 2>/dev/null || fail "Quit ended the program while its About box was open"
    xdotool mousemove $((ABOUT_X + 20)) $((ABOUT_Y + 20)) windowfocus "$about" sleep 0.3 key Escape
    ended_well "Escape on the About box, its last window,"
    echo "ok: $language: window, conversion, About box"
done
echo "ok: screenshots in $shots"
