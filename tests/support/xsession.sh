# SPDX-License-Identifier: GPL-3.0-or-later
# A private X session for the tests that drive the real window: Xvfb on a display
# number the server picks itself (-displayfd, so parallel tests never collide),
# guarded by a fresh cookie, with openbox as window manager. Sourced by sh and bash.
#
#   xsession_require_tools [TOOL]...
#                           exits the test with 77 (skipped) when one of xsession_tools
#                           (the session's and the window look-ups') or TOOLs is missing
#   xsession_begin          makes the scratch folder $xsession_work; on exit, for whatever
#                           reason, the programs handed to xsession_end_with and the
#                           session end and the folder is removed
#   xsession_end_with PID   ends that program with the session
#   xsession_start FOLDER   starts Xvfb and openbox; exports DISPLAY, XAUTHORITY,
#                           QT_QPA_PLATFORM=xcb
#   xsession_stop           ends both
#   wait_until SECONDS COMMAND [ARG]...
#                           polls COMMAND ten times a second until it succeeds;
#                           fails when SECONDS pass first

xsession_tools="Xvfb xauth openbox xprop xwininfo xdotool"
xsession_server=""
xsession_wm=""
xsession_work=""
xsession_programs=""

xsession_require_tools() {
    for _xsession_tool in $xsession_tools "$@"; do
        if ! command -v "$_xsession_tool" >/dev/null 2>&1; then
            echo "SKIP: $_xsession_tool is not installed"
            exit 77
        fi
    done
}

xsession_begin() {
    xsession_work=$(mktemp -d)
    trap xsession_clean_up EXIT
}

xsession_end_with() { xsession_programs="$xsession_programs $1"; }

xsession_clean_up() {
    for _xsession_program in $xsession_programs; do
        kill "$_xsession_program" 2>/dev/null || true
    done
    xsession_programs=""
    xsession_stop
    if [ -n "$xsession_work" ]; then
        # A folder a test made read-only would stop rm for anyone but root.
        chmod -R u+w "$xsession_work" 2>/dev/null || true
        rm -rf "$xsession_work"
    fi
}

wait_until() {
    _wait_tries=$(($1 * 10))
    shift
    while [ "$_wait_tries" -gt 0 ]; do
        if "$@" >/dev/null 2>&1; then return 0; fi
        _wait_tries=$((_wait_tries - 1))
        sleep 0.1
    done
    return 1
}

xsession_has_display_number() { grep -q '^[0-9][0-9]*$' "$1"; }
xsession_has_window_manager() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

xsession_start() {
    _xsession_folder=$1
    # Xvfb accepts every cookie in its file whatever display it names; clients need their display's.
    _xsession_cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
    : >"$_xsession_folder/server-auth"
    xauth -q -f "$_xsession_folder/server-auth" add :0 . "$_xsession_cookie"
    : >"$_xsession_folder/display"
    Xvfb -displayfd 3 -auth "$_xsession_folder/server-auth" -screen 0 1280x1024x24 -nolisten tcp \
        3>"$_xsession_folder/display" >"$_xsession_folder/xvfb.log" 2>&1 &
    xsession_server=$!
    # The server writes its number once it accepts connections.
    if ! wait_until 60 xsession_has_display_number "$_xsession_folder/display"; then
        echo "FAIL: Xvfb did not start:"
        cat "$_xsession_folder/xvfb.log"
        return 1
    fi
    DISPLAY=:$(cat "$_xsession_folder/display")
    XAUTHORITY=$_xsession_folder/Xauthority
    QT_QPA_PLATFORM=xcb
    export DISPLAY XAUTHORITY QT_QPA_PLATFORM
    : >"$XAUTHORITY"
    xauth -q add "$DISPLAY" . "$_xsession_cookie"

    openbox >"$_xsession_folder/openbox.log" 2>&1 &
    xsession_wm=$!
    if ! wait_until 60 xsession_has_window_manager; then
        echo "FAIL: openbox did not start:"
        cat "$_xsession_folder/openbox.log"
        return 1
    fi
}

xsession_stop() {
    if [ -n "$xsession_wm" ]; then kill "$xsession_wm" 2>/dev/null || true; fi
    if [ -n "$xsession_server" ]; then
        kill "$xsession_server" 2>/dev/null || true
        wait "$xsession_server" 2>/dev/null || true
    fi
    xsession_wm=""
    xsession_server=""
}

# Helpers for a window on the running session.

# xsession_parent_of WINDOW: the window it is placed in (its frame under a window manager).
xsession_parent_of() { xwininfo -tree -id "$1" | awk '/Parent window id/ { print $4 }'; }

xsession_is_framed() {
    [ "$(xsession_parent_of "$1")" != "$(xwininfo -root | awk '/Window id/ { print $4 }')" ]
}

# xsession_wait_framed WINDOW SECONDS: until openbox has put the window in its frame.
xsession_wait_framed() { wait_until "$2" xsession_is_framed "$1"; }

# geometry_of WINDOW: prints x y width height of the window, in pixels.
geometry_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# crop SCREEN_PNG "X Y W H" OUT_PNG
crop() {
    set -- "$1" $2 "$3"
    convert "$1" -crop "$4x$5+$2+$3" +repage "$6"
}
