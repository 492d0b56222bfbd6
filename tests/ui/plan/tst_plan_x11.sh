#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: the real program under Xvfb with openbox. F2 opens the observing plan, which must
# be dark red on black (no pixel with green or blue above 48); Down and Return in the plan then
# choose the second object in the main window, whose object choice must change.
# Usage: tst_plan_x11.sh PATH_TO_ZENITOR. Exits 77 (skipped) without the X tools.
# With ZENITOR_PLAN_SHOTS set to a folder, a screen picture of the open plan is kept there.
set -eu

program=${1:?usage: tst_plan_x11.sh PATH_TO_ZENITOR}

. "$(dirname "$0")/../../support/xsession.sh"
xsession_require_tools import convert compare
xsession_begin
work=$xsession_work

# A copy of the program beside a list of two objects at the same right ascension: the plan lists
# them in file order at any time of day, so Down always moves from the main window's object (the
# first) to the second.
mkdir "$work/program"
cp "$program" "$work/program/zenitor"
printf 'Probe\r\n' >"$work/program/liste.txt"
printf '13.41 Berlin;52.52\r\n' >"$work/program/standort.txt"
printf 'Erstes;05:00:00;80:00:00;das erste\r\nZweites;05:00:00;-10:00:00;das zweite\r\n' \
    >"$work/program/Probe.txt"

xsession_start "$work" || exit 1

"$work/program/zenitor" &
xsession_end_with $!
client=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zenitor 2\.1$' | head -n 1)
[ -n "$client" ] || { echo "FAIL: the main window did not appear"; exit 1; }

xsession_wait_framed "$client" 30 || { echo "FAIL: openbox did not frame the window"; exit 1; }

# The largest value of the channels (R, GB) in a picture, 0 to 255.
brightest() { convert "$1" -channel "$2" -separate +channel -evaluate-sequence Max \
    -format '%[fx:round(255*maxima)]' info:; }

is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
wait_until 30 xdotool windowactivate --sync "$client" || true
wait_until 30 is_active "$client" || { echo "FAIL: the main window did not become active"; exit 1; }

# The text field of the object choice, at design size: client pixels (design twips / 15).
set -- $(geometry_of "$client")
combo2="$(($1 + 362)) $(($2 + 34)) 90 18"
combo2_is_drawn() {
    import -window root "$work/screen.png"
    crop "$work/screen.png" "$combo2" "$work/combo2-before.png"
    [ "$(brightest "$work/combo2-before.png" R)" -gt 100 ]
}

xdotool key F2
plan=$(timeout 20 xdotool search --sync --onlyvisible --name '^Beobachtungsplan$' | head -n 1)
[ -n "$plan" ] || { echo "FAIL: F2 opened no window \"Beobachtungsplan\""; exit 1; }
wait_until 30 is_active "$plan" || { echo "FAIL: the plan did not become active"; exit 1; }

# Drawn once its table's red text shows; the plan refreshes every second, so two grabs in a row
# need not agree, but no grab may show light.
plan_is_drawn() {
    import -window root "$work/screen.png"
    crop "$work/screen.png" "$(geometry_of "$plan")" "$work/plan.png"
    [ "$(brightest "$work/plan.png" R)" -gt 100 ]
}
wait_until 30 plan_is_drawn || { echo "FAIL: the plan was not drawn"; exit 1; }
if [ -n "${ZENITOR_PLAN_SHOTS:-}" ]; then
    cp "$work/screen.png" "$ZENITOR_PLAN_SHOTS/plan.png"
fi
light=$(brightest "$work/plan.png" GB)
if [ "$light" -gt 48 ]; then
    echo "FAIL: the plan at $(geometry_of "$plan") has green or blue up to $light"
    exit 1
fi
echo "ok: the plan is red on black, green and blue at most $light"

if [ "$(xdotool search --onlyvisible --name '^Beobachtungsplan$' | wc -l)" -ne 1 ]; then
    echo "FAIL: more than one plan window"
    exit 1
fi

# Taken with the plan in front, so only the choice can change the field.
wait_until 30 combo2_is_drawn || { echo "FAIL: the object choice shows no object"; exit 1; }

combo2_changed() {
    import -window root "$work/screen.png"
    crop "$work/screen.png" "$combo2" "$work/combo2-after.png"
    [ "$(compare -metric AE "$work/combo2-before.png" "$work/combo2-after.png" null: 2>&1)" != "0" ]
}
xdotool key Down Return
if ! wait_until 30 combo2_changed; then
    echo "FAIL: Down and Return in the plan did not change the main window's object choice"
    exit 1
fi
echo "ok: the plan chose the second object in the main window"

xdotool key Escape
plan_closed() { [ -z "$(xdotool search --onlyvisible --name '^Beobachtungsplan$')" ]; }
wait_until 30 plan_closed || { echo "FAIL: Escape did not close the plan"; exit 1; }
echo "all checks passed"
