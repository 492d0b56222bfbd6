#!/usr/bin/env bash
# Installs the program into a temporary prefix and uses it as a person would:
# under Xvfb with openbox, driven by xdotool, with the clock fixed by libfaketime
# at 2026-12-08 23:30:00 central European time.
#
#   installed-program.sh <build dir> <zenitor_render_readout> <artefact folder>
#
# Exits 77 (skipped) when the X tools are missing.
set -euo pipefail

build=$1
render_readout=$2
artefacts=$3

for tool in Xvfb openbox xdotool xwininfo xprop import compare; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
faketime_library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)
[ -n "$faketime_library" ] || { echo "SKIP: libfaketime is not installed"; exit 77; }

work=$(mktemp -d)
mkdir -p "$artefacts"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    import -window root "$artefacts/failure.png" 2>/dev/null || true
    exit 1
}

# Polls a condition ten times a second for at most $1 seconds.
wait_for() {
    local seconds=$1
    shift
    for ((i = 0; i < seconds * 10; i++)); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
program_folder=$prefix/lib/zenitor
[ -x "$prefix/bin/zenitor" ] || fail "the installed program is missing"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/org.zenitor.Zenitor.desktop" ||
        fail "the menu entry does not validate"
fi

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n 1 "$work/display")
openbox >/dev/null 2>&1 &
pids+=($!)
wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "openbox did not start"

LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 TZ=Europe/Berlin LD_PRELOAD=$faketime_library FAKETIME="2026-12-08 23:30:00" \
    FAKETIME_DONT_FAKE_MONOTONIC=1 "$prefix/bin/zenitor" >"$artefacts/program.log" 2>&1 &
program=$!
pids+=($program)

find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window "$1")" ]; }
lacks_window() { [ -z "$(find_window "$1")" ]; }
wait_for 15 has_window '^Zenitor 2\.1$' || fail "no main window titled 'Zenitor 2.1'"
main=$(find_window '^Zenitor 2\.1$')
xdotool windowactivate --sync "$main"
# Let the first activation select its defaults before anything is typed.
sleep 1.5

# Outer size: client size plus the frame openbox draws around it.
outer_size() {
    local id=$1 width height left right top bottom
    eval "$(xwininfo -id "$id" | awk '/Width:/ {print "width=" $2} /Height:/ {print "height=" $2}')"
    read -r left right top bottom < <(xprop -id "$id" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
    echo "$((width + left + right)) $((height + top + bottom))"
}
client_size() {
    xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}'
}
read -r load_width load_height < <(outer_size "$main")
echo "main window outer size at start: ${load_width}x${load_height}"
import -window root "$artefacts/01-start.png"

# Clicks a point of the main window given in design pixels, scaled with the window.
click_main() {
    local x=$1 y=$2 width height
    read -r width height < <(outer_size "$main")
    xdotool mousemove --window "$main" $((x * width / load_width)) $((y * height / load_height)) click 1
}
type_into_main() {
    click_main "$1" "$2"
    xdotool key ctrl+a
    xdotool type --delay 20 "$3"
}

# The sidereal time of the December evening at 13.4 degrees east, RA 5 h 34 m 32 s.
type_into_main 60 42 "13.4"
type_into_main 508 41 "5"
type_into_main 540 41 "34"
type_into_main 572 41 "32"
click_main 60 400 # Start
sleep 2.5
kill -0 "$program" || fail "the program ended while the clock runs"
import -window "$main" -crop 289x41+296+152 +repage "$artefacts/02-sidereal-readout.png"
QT_QPA_PLATFORM=offscreen "$render_readout" "$program_folder" "4 h 34 m 21 s" "$artefacts/02-sidereal-reference.png" ||
    fail "cannot render the reference readout"
differing=$(compare -metric AE -fuzz 20% "$artefacts/02-sidereal-readout.png" \
    "$artefacts/02-sidereal-reference.png" null: 2>&1 || true)
echo "sidereal readout: $differing pixels differ from '4 h 34 m 21 s'"
[ "${differing%% *}" -le 20 ] 2>/dev/null || fail "the sidereal readout does not show 4 h 34 m 21 s ($differing pixels differ)"
import -window root "$artefacts/03-clock-running.png"

# Another list and object, chosen with the keyboard from the drop-down lists.
click_main 335 42 # Combo3 arrow
sleep 0.3
xdotool key Down Return
sleep 0.3
click_main 471 42 # Combo2 arrow
sleep 0.3
xdotool key Down Down Return
sleep 1.5
import -window root "$artefacts/04-list-and-object.png"

# Help beside the running clock.
click_main 412 400
wait_for 10 has_window '^Hilfe$' || fail "no help window titled 'Hilfe'"
help=$(find_window '^Hilfe$')
read -r help_width help_height < <(client_size "$help")
[ "$help_width" = 712 ] && [ "$help_height" = 515 ] || fail "help window is ${help_width}x${help_height}, not 712x515"
sleep 1
import -window root "$artefacts/05-help.png"

# Edit the chosen list and save it.
xdotool windowactivate --sync "$main"
sleep 0.5
click_main 412 80
wait_for 10 has_window '\.txt$' || fail "no editor window"
editor=$(find_window '\.txt$')
list_file=$(xdotool getwindowname "$editor")
echo "editing $list_file"
xdotool mousemove --window "$editor" 200 100 click 1
xdotool key ctrl+End
xdotool type --delay 10 "M 999;01:02:03;+04:05:06;Testobjekt aus dem Ende-zu-Ende-Test"
import -window root "$artefacts/06-editor.png"
xdotool mousemove --window "$editor" 412 312 click 1
wait_for 10 lacks_window '\.txt$' || fail "the editor did not close after OK"
grep -q "M 999;01:02:03;+04:05:06;Testobjekt" "$program_folder/$list_file" ||
    fail "the saved $list_file lacks the new object"

# Resize by the height: the width must follow at 4:3.
xdotool windowactivate --sync "$main"
xdotool windowsize "$main" 700 600
sleep 1.5
read -r width height < <(outer_size "$main")
echo "outer size after resizing: ${width}x${height}"
deviation=$(((width * 3 - height * 4) < 0 ? (height * 4 - width * 3) : (width * 3 - height * 4)))
[ "$deviation" -le 6 ] || fail "outer size ${width}x${height} is not 4:3"
import -window root "$artefacts/07-resized.png"

# Stop, then wait until "Ende" is enabled: its caption turns black.
ende_enabled() {
    local dark
    # Inside the button's edge, which is drawn black in both states.
    dark=$(import -window "$main" png:- 2>/dev/null | convert - -crop "$((105 * width / load_width - 8))x$((33 * height / load_height - 8))+$((480 * width / load_width + 4))+$((384 * height / load_height + 4))" \
        +repage -fx 'r<0.05 ? 1 : 0' -format '%[fx:mean*w*h]' info: 2>/dev/null || echo 0)
    [ "${dark%.*}" -gt 10 ]
}
ende_enabled && fail "'Ende' is enabled while the clock runs"
click_main 180 400
wait_for 10 ende_enabled || fail "'Ende' was not enabled after Stop"
import -window root "$artefacts/08-stopped.png"
click_main 532 400
wait_for 10 lacks_window '^Zenitor 2\.1$' || fail "'Ende' did not close the main window"

# The help window keeps the program alive until it is closed too.
sleep 0.5
kill -0 "$program" || fail "the program ended although the help window is open"
xdotool windowactivate --sync "$help"
xdotool key alt+F4
wait_for 10 sh -c "! kill -0 $program 2>/dev/null" || fail "the program did not end with its last window"
wait "$program" || fail "the program exited with status $?"
echo "PASS: installed program used end to end"
