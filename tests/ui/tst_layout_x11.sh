#!/bin/sh
# End to end: the real program under Xvfb with openbox as window manager keeps its
# outer size (frame and title bar included) at 4:3 when its height is set and when
# its bottom and right edges are dragged, and stays where it is on the screen.
# Usage: tst_layout_x11.sh PATH_TO_ZENITOR. Exits 77 (skipped) without the X tools.
set -eu

program=${1:?usage: tst_layout_x11.sh PATH_TO_ZENITOR}

for tool in xvfb-run Xvfb openbox xdotool xwininfo xprop; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

if [ -z "${ZENITOR_LAYOUT_INSIDE_XVFB:-}" ]; then
    ZENITOR_LAYOUT_INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" sh "$0" "$program"
fi

export QT_QPA_PLATFORM=xcb
failures=0
app=""
wm=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# Polls every tenth of a second, at most ten seconds, until the command succeeds.
wait_for() {
    tries=0
    until "$@" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -ge 100 ] && return 1
        sleep 0.1
    done
}

openbox >/dev/null 2>&1 &
wm=$!
wait_for sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || {
    echo "FAIL: openbox did not start"
    exit 1
}

"$program" &
app=$!
client=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zenitor 2\.1$' | head -n 1)
[ -n "$client" ] || { echo "FAIL: the main window did not appear"; exit 1; }

parent_of() { xwininfo -tree -id "$1" | awk '/Parent window id/ { print $4 }'; }
root=$(xwininfo -root | awk '/Window id/ { print $4 }')
is_framed() { [ "$(parent_of "$client")" != "$root" ]; }
wait_for is_framed || { echo "FAIL: openbox did not frame the window"; exit 1; }
frame=$(parent_of "$client")

# Prints x y width height of a window, in pixels.
geometry_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# Waits until the outer size has stayed the same for half a second, then prints it.
settled_outer() {
    previous=""
    tries=0
    while [ "$tries" -lt 40 ]; do
        current=$(geometry_of "$frame")
        if [ "$current" = "$previous" ]; then
            echo "$current"
            return 0
        fi
        previous=$current
        tries=$((tries + 1))
        sleep 0.5
    done
    echo "$current"
}

# check_four_to_three LABEL WIDTH HEIGHT: within a pixel of 4:3 either way.
check_four_to_three() {
    difference=$(($2 * 3 - $3 * 4))
    [ "$difference" -lt 0 ] && difference=$((-difference))
    if [ "$difference" -gt 4 ]; then
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
xdotool windowsize "$client" "$client_width" $((client_height + 150))
asked_height=$(($4 + 150))
set -- $(settled_outer)
echo "height set to $asked_height: outer $3 x $4"
check_four_to_three "height set by xdotool" "$3" "$4"
check_near "height set by xdotool, height" "$4" "$asked_height"
check_place "height set by xdotool" "$1" "$2"

# The bottom edge dragged down: the width follows.
drag $(($1 + $3 / 2)) $(($2 + $4 - 2)) 0 60
asked_height=$(($4 + 60))
set -- $(settled_outer)
echo "bottom edge dragged to $asked_height: outer $3 x $4"
check_four_to_three "bottom edge" "$3" "$4"
check_near "bottom edge, height" "$4" "$asked_height"
check_place "bottom edge" "$1" "$2"

# The right edge dragged out: the height follows.
drag $(($1 + $3 - 1)) $(($2 + $4 / 2)) 120 0
asked_width=$(($3 + 120))
set -- $(settled_outer)
echo "right edge dragged to $asked_width: outer $3 x $4"
check_four_to_three "right edge" "$3" "$4"
check_near "right edge, width" "$3" "$asked_width"
check_place "right edge" "$1" "$2"

# The corner dragged in width and out in height: the height governs.
drag $(($1 + $3 - 2)) $(($2 + $4 - 2)) -90 40
asked_height=$(($4 + 40))
set -- $(settled_outer)
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
