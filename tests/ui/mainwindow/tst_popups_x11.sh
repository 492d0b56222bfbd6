#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: the real program under Xvfb with openbox. Right-clicks each text field of the
# main window and opens each combo box's list; every popup on the screen must be dark red on
# black: no pixel of it with green or blue above 48.
# Usage: tst_popups_x11.sh PATH_TO_ZENITOR. Exits 77 (skipped) without the X tools.
# With ZENITOR_POPUP_SHOTS set to a folder, screen pictures of the popups are kept there.
set -eu

program=${1:?usage: tst_popups_x11.sh PATH_TO_ZENITOR}

. "$(dirname "$0")/../../support/xsession.sh"
xsession_require_tools import convert compare
xsession_begin
work=$xsession_work

failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Polls every tenth of a second, at most thirty seconds, until the command succeeds.
wait_for() { wait_until 30 "$@"; }

xsession_start "$work" || exit 1

"$program" &
app=$!
xsession_end_with "$app"
client=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zenitor 2\.1$' | head -n 1)
[ -n "$client" ] || { echo "FAIL: the main window did not appear"; exit 1; }

xsession_wait_framed "$client" 30 || { echo "FAIL: openbox did not frame the window"; exit 1; }

# The popups are unmanaged windows of the program beside its main window.
popup_window() { xdotool search --onlyvisible --classname '^zenitor$' | grep -vx "$client" | head -n 1; }
has_popup() { [ -n "$(popup_window)" ]; }
has_no_popup() { [ -z "$(popup_window)" ]; }

# Waits until the popup is drawn: its region differs from the screen before it opened and
# two grabs in a row agree.
grab_drawn_popup() {
    region=$1
    tries=0
    previous=""
    while [ "$tries" -lt 50 ]; do
        import -window root "$work/screen.png"
        crop "$work/screen.png" "$region" "$work/popup.png"
        changed=$(compare -metric AE "$work/before.png" "$work/popup.png" null: 2>&1 || true)
        if [ "$changed" != "0" ] && [ -n "$previous" ] &&
            [ "$(compare -metric AE "$previous" "$work/popup.png" null: 2>&1 || true)" = "0" ]; then
            return 0
        fi
        cp "$work/popup.png" "$work/previous.png"
        previous="$work/previous.png"
        tries=$((tries + 1))
        sleep 0.1
    done
    return 1
}

# check_drawn LABEL SHOT_NAME "X Y W H": the region, once drawn, has no green or blue above 48.
# $work/screen-before.png holds the screen before the window opened.
check_drawn() {
    label=$1 shot=$2 region=$3
    crop "$work/screen-before.png" "$region" "$work/before.png"
    if ! grab_drawn_popup "$region"; then
        fail "$label: the window at $region was not drawn"
        return
    fi
    brightest=$(convert "$work/popup.png" -channel GB -separate +channel \
        -evaluate-sequence Max -format '%[fx:round(255*maxima)]' info:)
    if [ "$brightest" -gt 48 ]; then
        fail "$label: window at $region has green or blue up to $brightest"
        shot="failed-$shot"
    else
        echo "ok: $label: window at $region, green and blue at most $brightest"
    fi
    if [ -n "${ZENITOR_POPUP_SHOTS:-}" ]; then
        cp "$work/screen.png" "$ZENITOR_POPUP_SHOTS/$shot.png"
    fi
}

# check_popup LABEL SHOT_NAME X Y BUTTON: clicks at X,Y of the client area and checks the popup.
check_popup() {
    label=$1 shot=$2
    set -- $(geometry_of "$client") "$3" "$4" "$5"
    import -window root "$work/screen-before.png"
    xdotool mousemove $(($1 + $5)) $(($2 + $6)) click "$7"
    if ! wait_for has_popup; then
        fail "$label: no popup opened"
        return
    fi
    check_drawn "$label" "$shot" "$(geometry_of "$(popup_window)")"
    xdotool key Escape
    wait_for has_no_popup || fail "$label: Escape did not close the popup"
}

xdotool windowactivate --sync "$client" 2>/dev/null || true

# Points inside the controls at design size, client pixels (design twips / 15).
check_popup "Text1 context menu" text1-menu 508 41 3
check_popup "Text3 context menu" text3-menu 540 41 3
check_popup "Text4 context menu" text4-menu 572 41 3
check_popup "Text2 context menu" text2-menu 452 357 3
check_popup "Text5 context menu" text5-menu 296 264 3
check_popup "Combo1 text field context menu" combo1-menu 60 42 3
check_popup "Combo3 text field context menu" combo3-menu 260 42 3
check_popup "Combo2 text field context menu" combo2-menu 400 42 3
# The arrow buttons at the right end of each combo box.
check_popup "Combo1 list" combo1-list 195 42 1
check_popup "Combo3 list" combo3-list 339 42 1
check_popup "Combo2 list" combo2-list 475 42 1
# The window's own menu, on its background between "Sommerzeit" and "Edit".
check_popup "window background menu" background-menu 233 73 3

# A message box of the main window: the program started from a folder without its lists.
kill "$app"
wait "$app" 2>/dev/null || true
mkdir "$work/bare"
cp "$program" "$work/bare/zenitor"
import -window root "$work/screen-before.png"
"$work/bare/zenitor" &
xsession_end_with $!
box=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zenitor$' | head -n 1)
if [ -z "$box" ]; then
    fail "no message box about the missing lists"
else
    check_drawn "message box" message-box "$(geometry_of "$box")"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
