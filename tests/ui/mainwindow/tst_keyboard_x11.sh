#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under Xvfb (1280 x 1024, a 5:4 screen) and openbox, driven by the keyboard
# alone as with gloves at night: Tab to "Start" shows a focus mark, Return starts the clock,
# F1 opens the help wholly on the screen and Esc closes it, the editor saves with Ctrl+S,
# Shift+F10 and the menu key open the background menu, its night entry turns the other windows
# red on black, and F11 switches full screen and back.
# With ZENITOR_KEYBOARD_SHOTS set to a folder, the screen pictures are kept there.
# Usage: tst_keyboard_x11.sh PATH_TO_ZENITOR. Exits 77 (skipped) without the X tools.
set -eu

program=${1:?usage: tst_keyboard_x11.sh PATH_TO_ZENITOR}

. "$(dirname "$0")/../../support/xsession.sh"
xsession_require_tools import convert
xsession_begin
work=$xsession_work
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
    import -window root "$work/failure-$failures.png" 2>/dev/null || true
    if [ -n "${ZENITOR_KEYBOARD_SHOTS:-}" ]; then
        cp "$work/failure-$failures.png" "$ZENITOR_KEYBOARD_SHOTS/" 2>/dev/null || true
    fi
}

# A copy of the program with its data files in a home of its own, so that the editor's save and
# the night setting stay in here; the help page then names the folder ~/zenitor.
app=$work/home/zenitor
mkdir -p "$app"
cp "$program" "$app/zenitor"
cp "$(dirname "$program")"/*.txt "$app/"

xsession_start "$work" || exit 1

# The clock fixed at a December evening when libfaketime is there, so the pictures repeat.
faketime_library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)
if [ -n "$faketime_library" ]; then
    LD_PRELOAD=$faketime_library FAKETIME="2026-12-08 23:30:00" FAKETIME_DONT_FAKE_MONOTONIC=1
    export LD_PRELOAD FAKETIME FAKETIME_DONT_FAKE_MONOTONIC
fi
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" TZ=Europe/Berlin \
    LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 "$app/zenitor" >"$work/program.log" 2>&1 &
unset LD_PRELOAD FAKETIME FAKETIME_DONT_FAKE_MONOTONIC
program_pid=$!
xsession_end_with "$program_pid"

find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window "$1")" ]; }
lacks_window() { [ -z "$(find_window "$1")" ]; }
wait_until 60 has_window '^Zenitor 2\.1$' || { fail "no main window"; exit 1; }
main=$(find_window '^Zenitor 2\.1$')
xsession_wait_framed "$main" 60 || { fail "openbox did not frame the main window"; exit 1; }
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 1

# shot NAME WINDOW: the window with its frame, from the screen, kept when asked for.
shot() {
    local frame
    frame=$(xsession_parent_of "$2")
    import -window root "$work/screen.png"
    crop "$work/screen.png" "$(geometry_of "$frame")" "$work/$1.png"
    if [ -n "${ZENITOR_KEYBOARD_SHOTS:-}" ]; then
        cp "$work/$1.png" "$ZENITOR_KEYBOARD_SHOTS/$1.png"
    fi
}

# shot_with_popup NAME WINDOW: the window with its frame and the popup open over it.
shot_with_popup() {
    local popup
    popup=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -vx "$2" | tail -n 1)
    set -- "$1" $(geometry_of "$(xsession_parent_of "$2")") $(geometry_of "$popup")
    local left=$(($2 < $6 ? $2 : $6)) top=$(($3 < $7 ? $3 : $7))
    local right=$(($2 + $4 > $6 + $8 ? $2 + $4 : $6 + $8))
    local bottom=$(($3 + $5 > $7 + $9 ? $3 + $5 : $7 + $9))
    import -window root "$work/screen.png"
    crop "$work/screen.png" "$left $top $((right - left)) $((bottom - top))" "$work/$1.png"
    if [ -n "${ZENITOR_KEYBOARD_SHOTS:-}" ]; then
        cp "$work/$1.png" "$ZENITOR_KEYBOARD_SHOTS/$1.png"
    fi
}

# count_pixels WINDOW "W H X Y" FX: pixels of that part of the window's client area that
# match the fx test.
count_pixels() {
    local count
    set -- "$1" $2 "$3"
    count=$(import -window "$1" png:- 2>/dev/null | convert - -crop "$2x$3+$4+$5" +repage \
        -fx "$6 ? 1 : 0" -format '%[fx:round(mean*w*h)]' info: 2>/dev/null || echo 0)
    echo "${count:-0}"
}
# brightest_green_blue WINDOW: the largest green or blue value, 0 to 255, of the window.
brightest_green_blue() {
    import -window "$1" png:- 2>/dev/null | convert - -channel GB -separate +channel \
        -evaluate-sequence Max -format '%[fx:round(255*maxima)]' info: 2>/dev/null || echo 999
}
# The focus mark: bright red, brighter than any text of the window.
focus_mark='r>0.95 && g<0.1 && b<0.1'
# Design client pixels of the controls, "W H X Y".
start_button="105 33 8 384"
edit_button="105 33 360 64"
sidereal_readout="289 41 296 152"
marked() { [ "$(count_pixels "$main" "$1" "$focus_mark")" -gt 100 ]; }

# 1. Tab from the window's first control to "Start": the mark shows there.
marked "$start_button" && fail "Start shows a focus mark before it has the focus"
xdotool key --delay 150 Tab Tab
if wait_until 10 marked "$start_button"; then
    echo "ok: Start shows the focus mark after two Tabs"
else
    fail "Start shows no focus mark"
fi
shot 01-focus-on-start "$main"

# 2. Return starts the clock: the sidereal readout fills.
readout_pixels() { count_pixels "$main" "$sidereal_readout" 'r>0.3'; }
empty_readout=$(readout_pixels)
readout_drawn() { [ "$(readout_pixels)" -gt $((empty_readout + 50)) ]; }
xdotool key Return
if wait_until 20 readout_drawn; then
    echo "ok: Return on Start starts the clock"
else
    fail "Return on Start did not start the clock"
fi
sleep 1.5
shot 02-clock-running "$main"

# 3. F1 opens the help, wholly on the screen; Esc closes it.
within_screen() {
    set -- $(geometry_of "$(xsession_parent_of "$1")")
    [ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le 1280 ] && [ $(($2 + $4)) -le 1024 ]
}
xdotool key F1
if wait_until 20 has_window '^Hilfe$'; then
    help=$(find_window '^Hilfe$')
    xsession_wait_framed "$help" 20 || true
    sleep 0.5
    within_screen "$help" || fail "the help window is not wholly on the screen: $(geometry_of "$(xsession_parent_of "$help")")"
    shot 03-help-day "$help"
    xdotool key Escape
    wait_until 20 lacks_window '^Hilfe$' && echo "ok: F1 opens the help, Esc closes it" ||
        fail "Esc did not close the help window"
else
    fail "F1 opened no help window"
fi
xdotool windowactivate --sync "$main" 2>/dev/null || true

# 4. The editor by keyboard: Tab on to "Edit", Space opens it, Ctrl+S saves the typed record.
list=$(head -n 1 "$app/liste.txt" | tr -d '\r')
xdotool key --delay 150 Tab Tab Tab Tab Tab Tab Tab
wait_until 10 marked "$edit_button" || fail "Edit shows no focus mark after seven more Tabs"
xdotool key space
if wait_until 20 has_window "^$list\\.txt\$"; then
    editor=$(find_window "^$list\\.txt\$")
    xsession_wait_framed "$editor" 20 || true
    within_screen "$editor" || fail "the editor is not wholly on the screen"
    xdotool key --delay 50 ctrl+End Return
    xdotool type --delay 20 "M 1;05:34:32;22:00:52;Krebsnebel"
    # A junk line, marked while typed; Ctrl+S asks, "Nein" (Escape) returns to the text.
    xdotool key Return
    xdotool type --delay 20 "foo"
    sleep 0.5
    shot 04-editor-day "$editor"
    xdotool key ctrl+s
    if wait_until 10 has_window '^Zenitor$'; then
        xdotool key Escape
        wait_until 10 lacks_window '^Zenitor$' || fail "the question did not close"
    else
        fail "Ctrl+S with a junk line asked nothing"
    fi
    has_window "^$list\\.txt\$" || fail "Nein closed the editor"
    # "Nein" put the cursor on the junk line; remove it from the end.
    xdotool key --delay 50 ctrl+End BackSpace BackSpace BackSpace BackSpace ctrl+s
    if wait_until 20 lacks_window "^$list\\.txt\$" &&
        grep -q '^M 1;05:34:32;22:00:52;Krebsnebel' "$app/$list.txt"; then
        echo "ok: the editor saves with Ctrl+S"
    else
        fail "Ctrl+S did not save the list"
    fi
else
    fail "Space on Edit opened no editor"
fi
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 0.5

# 5. Shift+F10 on a button opens the background menu; its first entry turns on night colours.
menu_open() { [ -n "$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -vx "$main")" ]; }
menu_closed() { ! menu_open; }
# On the way: Shift+Tab back to the site choice, whose list Alt+Down opens, and Tab back.
xdotool key --delay 150 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab alt+Down
if wait_until 10 menu_open; then
    sleep 0.5
    shot_with_popup 05-site-list "$main"
    xdotool key Escape
    wait_until 10 menu_closed || fail "Escape did not close the site list"
else
    fail "Alt+Down on the site choice opened no list"
fi
xdotool key --delay 150 Tab Tab Tab Tab Tab
wait_until 10 marked "$edit_button" || fail "five Tabs did not lead back to Edit"
xdotool key shift+F10
if wait_until 10 menu_open; then
    echo "ok: Shift+F10 opens the background menu"
    sleep 0.5
    shot_with_popup 06-background-menu "$main"
    xdotool key --delay 100 Down Return
    wait_until 10 menu_closed || fail "the menu did not close"
else
    fail "Shift+F10 opened no menu"
fi
xdotool key Menu
if wait_until 10 menu_open; then
    echo "ok: the menu key opens the background menu"
    xdotool key Escape
    wait_until 10 menu_closed || fail "Escape did not close the menu"
else
    fail "the menu key opened no menu"
fi
# A text field has a menu of its own: Shift+Tab to the declination, Shift+F10 opens that one.
xdotool key shift+Tab
sleep 0.3
xdotool key shift+F10
if wait_until 10 menu_open; then
    sleep 0.5
    shot_with_popup 07-text-field-menu "$main"
    # The field's menu (undo, cut, copy, paste ...) is far taller than the background's two
    # entries.
    popup=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -vx "$main" | tail -n 1)
    set -- $(geometry_of "$popup")
    [ "$4" -gt 100 ] && echo "ok: Shift+F10 on a text field opens its own menu" ||
        fail "Shift+F10 on the declination opened a menu of $4 px, not the field's own"
    xdotool key Escape
    wait_until 10 menu_closed || fail "Escape did not close the text field's menu"
else
    fail "Shift+F10 on the declination opened no menu"
fi
xdotool key Tab
wait_until 10 marked "$edit_button" || fail "Tab did not lead back to Edit"

# 6. At night: the help and the editor red on black, the editor's focus mark too.
xdotool key F1
if wait_until 20 has_window '^Hilfe$'; then
    help=$(find_window '^Hilfe$')
    sleep 0.8
    shot 08-help-night "$help"
    brightest=$(brightest_green_blue "$help")
    [ "$brightest" -le 48 ] && echo "ok: night help, green and blue at most $brightest" ||
        fail "the night help has green or blue up to $brightest"
    xdotool key Escape
    wait_until 20 lacks_window '^Hilfe$' || fail "Esc did not close the night help"
else
    fail "F1 opened no help window at night"
fi
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key space # the focus is still on "Edit"
if wait_until 20 has_window "^$list\\.txt\$"; then
    editor=$(find_window "^$list\\.txt\$")
    xdotool key --delay 50 ctrl+End Return
    xdotool type --delay 20 "bar"
    xdotool key ctrl+Tab
    sleep 0.8
    shot 09-editor-night "$editor"
    brightest=$(brightest_green_blue "$editor")
    [ "$brightest" -le 48 ] && echo "ok: night editor, green and blue at most $brightest" ||
        fail "the night editor has green or blue up to $brightest"
    [ "$(count_pixels "$editor" "73 17 376 304" "$focus_mark")" -gt 40 ] ||
        fail "Ctrl+Tab left no focus mark on OK"
    xdotool key Escape
    # "Änderungen verwerfen?": Return would take the default "Nein"; Alt+J is "Ja".
    wait_until 10 has_window '^Zenitor$' && xdotool key alt+j
    wait_until 20 lacks_window "^$list\\.txt\$" || fail "Esc did not close the changed editor"
else
    fail "Space on Edit opened no editor at night"
fi
xdotool windowactivate --sync "$main" 2>/dev/null || true
sleep 0.5

# 7. F11: full screen on the 5:4 screen and back.
shot 10-main-window "$main"
xdotool key F11
full_screen() { [ "$(geometry_of "$main" | cut -d' ' -f3,4)" = "1280 1024" ]; }
if wait_until 20 full_screen; then
    echo "ok: F11 switches to full screen"
    sleep 1.5
    import -window root "$work/11-full-screen.png"
    [ -n "${ZENITOR_KEYBOARD_SHOTS:-}" ] && cp "$work/11-full-screen.png" "$ZENITOR_KEYBOARD_SHOTS/"
    xdotool key F11
    wait_until 20 sh -c "! [ \"\$(xwininfo -id $main | awk '/Width:/ {print \$2}')\" = 1280 ]" ||
        fail "F11 did not leave full screen"
else
    fail "F11 did not switch to full screen"
fi

if ! kill -0 "$program_pid" 2>/dev/null; then
    fail "the program ended"
    cat "$work/program.log"
fi
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
