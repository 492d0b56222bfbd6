#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end, by keyboard only: the real program under Xvfb with openbox. F2 opens the observing
# plan, which must be dark red on black (no pixel with green or blue above 48); an arrow key and
# Return in the plan then choose another object in the main window, whose object choice must
# change; Escape closes the plan, F2 opens it again and F1 in it opens the help.
# Usage: tst_plan_x11.sh PATH_TO_ZENITOR. Exits 77 (skipped) without the X tools.
# With libfaketime the clock starts at ZENITOR_PLAN_TIME (default 2026-12-08 23:30:00, a December
# night in Berlin) and runs on; without it, at the present time.
# With ZENITOR_PLAN_SHOTS set to a folder, pictures of the open plan are kept there: plan.png (the
# window with its frame) and plan-screen.png (the whole screen).
set -eu

program=${1:?usage: tst_plan_x11.sh PATH_TO_ZENITOR}

. "$(dirname "$0")/../../support/xsession.sh"
xsession_require_tools import convert compare
xsession_begin
work=$xsession_work

# A copy of the program beside a list of winter objects, the first a circumpolar one.
mkdir "$work/program"
cp "$program" "$work/program/zenitor"
printf 'Winter\r\n' >"$work/program/liste.txt"
printf '13.41 Berlin;52.52\r\n' >"$work/program/standort.txt"
{
    printf 'Erstes;05:00:00;80:00:00;das erste\r\n'
    printf 'M 42;05:35:17;-05:23:28;Orionnebel\r\nM 45;03:47:00;24:07:00;Plejaden\r\n'
    printf 'M 1;05:34:32;22:00:52;Krebsnebel\r\nM 35;06:08:54;24:20:00;Zwillinge\r\n'
    printf 'M 41;06:46:00;-20:44:00;Grosser Hund\r\nM 44;08:40:24;19:40:00;Praesepe\r\n'
    printf 'M 31;00:42:44;41:16:09;Andromedanebel\r\nM 33;01:33:51;30:39:37;Dreiecksnebel\r\n'
    printf 'M 81;09:55:33;69:03:55;Bodes Galaxie\r\nM 13;16:41:41;36:27:35;Herkules\r\n'
} >"$work/program/Winter.txt"

xsession_start "$work" || exit 1

faketime_library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)
if [ -n "$faketime_library" ]; then
    LD_PRELOAD="$faketime_library" FAKETIME="@${ZENITOR_PLAN_TIME:-2026-12-08 23:30:00}" \
        FAKETIME_DONT_FAKE_MONOTONIC=1 TZ=Europe/Berlin "$work/program/zenitor" &
else
    "$work/program/zenitor" &
fi
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
    sleep 1 # the chart is drawn after the table
    import -window root "$work/screen.png"
    cp "$work/screen.png" "$ZENITOR_PLAN_SHOTS/plan-screen.png"
    crop "$work/screen.png" "$(geometry_of "$(xsession_parent_of "$plan")")" \
        "$ZENITOR_PLAN_SHOTS/plan.png" || cp "$work/plan.png" "$ZENITOR_PLAN_SHOTS/plan.png"
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
# The plan opens on the main window's object; the row below it, or above it at the end.
chosen=no
for keys in Down "Up Up"; do
    # shellcheck disable=SC2086
    xdotool key $keys Return
    if wait_until 10 combo2_changed; then chosen=yes; break; fi
done
if [ "$chosen" != yes ]; then
    echo "FAIL: an arrow key and Return in the plan did not change the main window's object choice"
    exit 1
fi
echo "ok: Return in the plan chose another object in the main window"

xdotool key Escape
plan_closed() { [ -z "$(xdotool search --onlyvisible --name '^Beobachtungsplan$')" ]; }
wait_until 30 plan_closed || { echo "FAIL: Escape did not close the plan"; exit 1; }
echo "ok: Escape closed the plan"

wait_until 30 is_active "$client" || { echo "FAIL: the main window is not active after the plan"; exit 1; }
xdotool key F2
plan=$(timeout 20 xdotool search --sync --onlyvisible --name '^Beobachtungsplan$' | head -n 1)
[ -n "$plan" ] || { echo "FAIL: F2 did not open the plan again"; exit 1; }
wait_until 30 is_active "$plan" || { echo "FAIL: the plan did not become active again"; exit 1; }
xdotool key F1
help=$(timeout 20 xdotool search --sync --onlyvisible --name '^Hilfe$' | head -n 1)
[ -n "$help" ] || { echo "FAIL: F1 in the plan opened no window \"Hilfe\""; exit 1; }
echo "ok: F1 in the plan opened the help"
echo "all checks passed"
