#!/bin/sh
# Runs inside Xvfb (see real_window.sh). No window manager: the pointer gives focus.
set -eu
program=$1
shots=$2
unset QT_QPA_PLATFORM

fail() { echo "FAIL: $*"; exit 1; }

# Starts the program, waits for its window, and prints its id.
start() {
    "$program" >"$shots/program.log" 2>&1 &
    pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Numoria$' | head -n 1) \
        || fail "no window appeared"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # the menu bar sits above the 162 x 277 client area
    menu=$((HEIGHT - 277))
}

# The About box: the other window whose title ends in "Numoria" (matched in
# ASCII, so the test does not depend on the locale).
about_box() {
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
        for id in $(xdotool search --onlyvisible --name ' Numoria$' 2>/dev/null); do
            [ "$id" != "$window" ] && { echo "$id"; return 0; }
        done
        sleep 0.5
    done
    return 1
}

click() { xdotool mousemove "$((X + $1))" "$((Y + $2))" click 1; sleep 0.3; }

for language in fr de en; do
    start
    [ "$WIDTH" -eq 162 ] || fail "window is $WIDTH pixels wide"
    case $language in
        de) click 20 $((menu / 2)); xdotool key d; sleep 0.5 ;;
        en) click 20 $((menu / 2)); xdotool key e; sleep 0.5 ;;
    esac
    click 100 $((menu + 49))          # into the input box
    xdotool key End BackSpace
    xdotool type --delay 50 12345
    click 100 $((menu + 92))          # the convert button
    sleep 0.5
    xdotool mousemove "$((X + 28))" "$((Y + menu + 52))"   # rest on the first ideogram
    sleep 1.5
    # wide enough for the tooltip beside the window
    import -window root -crop "$((WIDTH + 190))x$((HEIGHT + 10))+${X}+${Y}" "$shots/main-$language.png"
    # The About box from the menu: first item.
    click 20 $((menu / 2)); xdotool key Down Return
    about=$(about_box) || fail "no About box in $language"
    sleep 1
    eval "$(xdotool getwindowgeometry --shell --prefix ABOUT_ "$about")"
    import -window root -crop "${ABOUT_WIDTH}x${ABOUT_HEIGHT}+${ABOUT_X}+${ABOUT_Y}" "$shots/about-$language.png"

    # Quit from the menu (its last item) leaves the program running for the
    # About box; Escape on the box then ends it.
    click 20 $((menu / 2)); xdotool key Up Return
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "the program ended while its About box was open"
    xdotool mousemove "$((ABOUT_X + 20))" "$((ABOUT_Y + 20))" windowfocus "$about"
    sleep 0.3
    xdotool key Escape
    for _ in 1 2 3 4 5 6 7 8 9 10; do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
    if kill -0 "$pid" 2>/dev/null; then kill "$pid"; fail "the program outlived its last window"; fi
    # It ended by itself, so its exit status and its log say whether it ended well
    # (a sanitized build reports leaks and errors at exit).
    status=0
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "the program exited with status $status: $(cat "$shots/program.log")"
    if grep -E -q 'Sanitizer|runtime error' "$shots/program.log"; then
        fail "the program reported: $(cat "$shots/program.log")"
    fi

    # The light yellow client area and nine ideograms down the column.
    yellow=$(convert "$shots/main-$language.png" -format '%[pixel:p{150,270}]' info:)
    case $yellow in *255,255,192*|*FFFFC0*|*ffffc0*) ;; *) fail "background is $yellow" ;; esac
    ninth=$((menu + 40 + 8 * 25 + 12))
    last=$(convert "$shots/main-$language.png" -format "%[pixel:p{28,$ninth}]" info:)
    case $last in *255,255,192*|*FFFFC0*|*ffffc0*) fail "no ninth ideogram ($last)" ;; esac
    echo "ok: $language main window and About box"
done

cmp -s "$shots/main-fr.png" "$shots/main-de.png" && fail "French and German look the same"
cmp -s "$shots/main-fr.png" "$shots/main-en.png" && fail "French and English look the same"
echo "ok: screenshots in $shots"
