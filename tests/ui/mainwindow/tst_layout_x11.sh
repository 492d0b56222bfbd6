#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end: the real program under Xvfb with openbox as window manager keeps its
# outer size (frame and title bar included) at 4:3 when its height is set and when
# its bottom and right edges are dragged, and stays where it is on the screen.
# Usage: tst_layout_x11.sh PATH_TO_ZENITOR. Exits 77 (skipped) without the X tools.
set -eu

program=${1:?usage: tst_layout_x11.sh PATH_TO_ZENITOR}

. "$(dirname "$0")/../../support/xsession.sh"
xsession_require_tools
xsession_begin
work=$xsession_work

failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

xsession_start "$work" || exit 1

"$program" &
xsession_end_with $!
main_window() { xdotool search --onlyvisible --name '^Zenitor 2\.1$' | head -n 1; }
has_main_window() { [ -n "$(main_window)" ]; }
wait_until 60 has_main_window || { echo "FAIL: the main window did not appear"; exit 1; }
client=$(main_window)

xsession_wait_framed "$client" 60 || { echo "FAIL: openbox did not frame the window"; exit 1; }
frame=$(xsession_parent_of "$client")

# is_four_to_three WIDTH HEIGHT: within a pixel of 4:3 either way.
is_four_to_three() {
    difference=$(($1 * 3 - $2 * 4))
    [ "$difference" -lt 0 ] && difference=$((-difference))
    [ "$difference" -le 4 ]
}

# settled_outer [BEFORE]: waits until the outer geometry has stayed the same for half
# a second and, given the geometry BEFORE a change, differs from it and is 4:3; then
# prints it. After a minute it prints what it has, for the checks to report.
settled_outer() {
    before=${1:-}
    previous=""
    steady=0
    tries=0
    while [ "$tries" -lt 600 ]; do
        current=$(geometry_of "$frame")
        if [ "$current" = "$previous" ]; then
            steady=$((steady + 1))
        else
            steady=0
        fi
        previous=$current
        if [ "$steady" -ge 5 ] && { [ -z "$before" ] || { [ "$current" != "$before" ] &&
            is_four_to_three $(echo "$current" | cut -d' ' -f3,4); }; }; then
            echo "$current"
            return 0
        fi
        tries=$((tries + 1))
        sleep 0.1
    done
    echo "$current"
}

# check_four_to_three LABEL WIDTH HEIGHT: within a pixel of 4:3 either way.
check_four_to_three() {
    if ! is_four_to_three "$2" "$3"; then
        fail "$1: outer size $2 x $3 is not 4:3"
    else
        echo "ok: $1: outer size $2 x $3 is 4:3"
    fi
}

# check_near LABEL GOT WANT: within two pixels.
check_near() {
    difference=$(($2 - $3))
    [ "$difference" -lt 0 ] && difference=$((-difference))
    if [ "$difference" -gt 2 ]; then
        fail "$1: want $3, got $2"
    fi
}

# check_place LABEL X Y: the window has not moved from its start position.
check_place() {
    if [ "$2" != "$start_x" ] || [ "$3" != "$start_y" ]; then
        fail "$1: the window moved from $start_x,$start_y to $2,$3"
    fi
}

# drag X Y DX DY: presses at X,Y, moves in five steps by DX,DY and lets go.
drag() {
    xdotool mousemove "$1" "$2" mousedown 1
    for step in 1 2 3 4 5; do
        xdotool mousemove $(($1 + $3 * step / 5)) $(($2 + $4 * step / 5))
        sleep 0.05
    done
    xdotool mouseup 1
}

set -- $(settled_outer)
start_x=$1 start_y=$2
echo "start: outer $3 x $4 at $1,$2"
check_place "start" "$1" "$2"
xdotool windowactivate "$client" 2>/dev/null || true

# The height set from outside: the width follows.
set -- $(geometry_of "$client")
client_width=$3 client_height=$4
set -- $(geometry_of "$frame")
frame_height=$(($4 - client_height))
before="$*"
xdotool windowsize "$client" "$client_width" $((client_height + 150))
asked_height=$(($4 + 150))
set -- $(settled_outer "$before")
echo "height set to $asked_height: outer $3 x $4"
check_four_to_three "height set by xdotool" "$3" "$4"
check_near "height set by xdotool, height" "$4" "$asked_height"
check_place "height set by xdotool" "$1" "$2"

# The bottom edge dragged down: the width follows.
before="$*"
drag $(($1 + $3 / 2)) $(($2 + $4 - 2)) 0 60
asked_height=$(($4 + 60))
set -- $(settled_outer "$before")
echo "bottom edge dragged to $asked_height: outer $3 x $4"
check_four_to_three "bottom edge" "$3" "$4"
check_near "bottom edge, height" "$4" "$asked_height"
check_place "bottom edge" "$1" "$2"

# The right edge dragged out: the height follows.
before="$*"
drag $(($1 + $3 - 1)) $(($2 + $4 / 2)) 120 0
asked_width=$(($3 + 120))
set -- $(settled_outer "$before")
echo "right edge dragged to $asked_width: outer $3 x $4"
check_four_to_three "right edge" "$3" "$4"
check_near "right edge, width" "$3" "$asked_width"
check_place "right edge" "$1" "$2"

# The corner dragged in width and out in height: the height governs.
before="$*"
drag $(($1 + $3 - 2)) $(($2 + $4 - 2)) -90 40
asked_height=$(($4 + 40))
set -- $(settled_outer "$before")
echo "corner dragged to height $asked_height: outer $3 x $4"
check_four_to_three "corner" "$3" "$4"
check_near "corner, height" "$4" "$asked_height"
check_place "corner" "$1" "$2"

echo "frame height above and below the client area: $frame_height px"
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all checks passed"
