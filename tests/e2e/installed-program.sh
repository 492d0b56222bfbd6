#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Uses the installed program as a person would: under Xvfb with openbox, driven by
# xdotool, with the clock fixed by libfaketime at 2026-12-08 23:30:00 central
# European time. It runs as an unprivileged user with a fresh home folder, as after
# a system-wide install, so a list saved with the editor must land in that user's
# data folder while the installed files stay as they are.
#
#   installed-program.sh <program> <zenitor_render_readout> <artefact folder>
#
# <program> is the installed zenitor (e.g. /usr/bin/zenitor), or a build folder,
# which is then installed into a temporary prefix first.
# Exits 77 (skipped) when the X tools are missing.
set -euo pipefail

program=$1
render_readout=$2
artefacts=$3

source "$(dirname "$0")/../support/xsession.sh"
xsession_require_tools import compare convert
faketime_library=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n 1 || true)
[ -n "$faketime_library" ] || { echo "SKIP: libfaketime is not installed"; exit 77; }
xsession_begin
work=$xsession_work

# The unprivileged user must reach a program installed in here.
chmod 755 "$work"
mkdir -p "$artefacts"
rm -f "$artefacts"/*.png "$artefacts"/*.log "$artefacts"/*.txt
program_pid=""

fail() {
    echo "FAIL: $*"
    import -window root "$artefacts/failure.png" 2>/dev/null || true
    if [ -s "$artefacts/program.log" ]; then
        echo "program output:"
        cat "$artefacts/program.log"
    fi
    exit 1
}

if [ -d "$program" ]; then
    cmake --install "$program" --prefix "$work/prefix" >/dev/null
    program=$work/prefix/bin/zenitor
fi
[ -x "$program" ] || fail "no installed program at $program"
prefix=$(cd "$(dirname "$program")/.." && pwd)
program_folder=$(dirname "$(readlink -f "$program")")
list_names=$(tr -d '\r' <"$program_folder/liste.txt")
echo "program $program, its folder $program_folder"

# The files a desktop and a software centre read.
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/org.zenitor.Zenitor.desktop" ||
        fail "the menu entry does not validate"
fi
if command -v appstreamcli >/dev/null; then
    # Down to the pedantic hints, which fail too: appstreamcli's exit status counts only errors.
    # One hint stays: the ID keeps its capital, as the menu entry and the icon are named after it.
    appstream_report=$(appstreamcli validate --pedantic --no-net --no-color \
        "$prefix/share/metainfo/org.zenitor.Zenitor.metainfo.xml") ||
        fail "the AppStream metainfo does not validate: $appstream_report"
    appstream_issues=$(grep -E '^[EWIP]: ' <<<"$appstream_report" |
        grep -v ' cid-contains-uppercase-letter ' || true)
    [ -z "$appstream_issues" ] || fail "the AppStream metainfo has issues: $appstream_issues"
fi
# Debian's Docker images leave manual pages out, so an installed one may be missing.
manual=$prefix/share/man/man1/zenitor.1.gz
if command -v man >/dev/null && [ -e "$manual" ]; then
    manual_warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$manual" 2>&1 >/dev/null)
    [ -z "$manual_warnings" ] || fail "the manual page has warnings: $manual_warnings"
fi

# The installed program folder as it was delivered, to compare after the run.
(cd "$program_folder" && sha256sum -- *) >"$work/installed-before"

# A fresh user who may not write the program folder, as after a system-wide install:
# root hands the program to nobody; anybody else runs it from a read-only temporary prefix.
home=$work/home
mkdir -m 700 "$home"
if [ "$(id -u)" = 0 ]; then
    user=nobody
    run_as_user=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups --)
else
    user=$(id -un)
    run_as_user=()
fi
if "${run_as_user[@]}" test -w "$program_folder"; then
    [ "$prefix" = "$work/prefix" ] ||
        fail "$user may write $program_folder; give a system-wide install or a build folder"
    chmod -R a-w "$program_folder"
fi
mkdir -m 700 "$home/.runtime"
chown -R "$user:$(id -gn "$user")" "$home"
user_folder=$home/.local/share/zenitor

xsession_start "$work" || exit 1
# The user's own copy of the cookie: the session's file is root's.
install -m 600 -o "$user" "$XAUTHORITY" "$home/.Xauthority"

# A sanitized build keeps its options in the clean environment (faketime is preloaded first).
sanitizer_options=()
for name in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    if [ -n "${!name:-}" ]; then sanitizer_options+=("$name=${!name}"); fi
done

"${run_as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$home" USER="$user" LOGNAME="$user" \
    "${sanitizer_options[@]}" \
    XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/.runtime" \
    DISPLAY="$DISPLAY" XAUTHORITY="$home/.Xauthority" QT_QPA_PLATFORM=xcb \
    LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 TZ=Europe/Berlin \
    LD_PRELOAD="$faketime_library" FAKETIME="2026-12-08 23:30:00" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    "$program" >"$artefacts/program.log" 2>&1 &
program_pid=$!
xsession_end_with "$program_pid"

find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
has_window() { [ -n "$(find_window "$1")" ]; }
lacks_window() { [ -z "$(find_window "$1")" ]; }
program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
wait_until 60 has_window '^Zenitor 2\.1$' || fail "no main window titled 'Zenitor 2.1'"
main=$(find_window '^Zenitor 2\.1$')
xdotool windowactivate --sync "$main"

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
has_frame() { xprop -id "$main" _NET_FRAME_EXTENTS | grep -q '='; }
wait_until 60 has_frame || fail "openbox did not frame the main window"
read -r load_width load_height < <(outer_size "$main")
echo "main window outer size at start: ${load_width}x${load_height}"

# Pixel counts in a part of a window (WxH+X+Y in its client pixels): how many match an fx test.
count_pixels() {
    local window=$1 crop=$2 test=$3 count
    count=$(import -window "$window" png:- 2>/dev/null | convert - -crop "$crop" +repage \
        -fx "$test ? 1 : 0" -format '%[fx:mean*w*h]' info: 2>/dev/null || echo 0)
    echo "${count%.*}"
}
# The first activation chooses the first site; its red text appears in the empty site field.
site_shown() { [ "$(count_pixels "$main" 130x16+12+34 'r>0.4')" -gt 20 ]; }
wait_until 60 site_shown || fail "the first activation did not choose a site"
import -window "$main" -crop 96x18+226+34 +repage "$work/first-list.png"
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
QT_QPA_PLATFORM=offscreen "$render_readout" "$program_folder" "4 h 34 m 21 s" "$artefacts/02-sidereal-reference.png" ||
    fail "cannot render the reference readout"
differing=""
readout_matches() {
    import -window "$main" -crop 289x41+296+152 +repage "$artefacts/02-sidereal-readout.png" 2>/dev/null || return 1
    differing=$(compare -metric AE -fuzz 20% "$artefacts/02-sidereal-readout.png" \
        "$artefacts/02-sidereal-reference.png" null: 2>&1 || true)
    [ "${differing%% *}" -le 20 ] 2>/dev/null
}
wait_until 60 readout_matches
echo "sidereal readout: $differing pixels differ from '4 h 34 m 21 s'"
readout_matches || fail "the sidereal readout does not show 4 h 34 m 21 s ($differing pixels differ)"
program_ended && fail "the program ended while the clock runs"
import -window root "$artefacts/03-clock-running.png"

# Another list and object, chosen with the keyboard from the drop-down lists.
# A drop-down list is a window of its own; the chosen entry then shows in the field.
popups() { xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | grep -vx "$main" | wc -l; }
has_popup() { [ "$(popups)" -gt 0 ]; }
lacks_popup() { [ "$(popups)" -eq 0 ]; }
# field_changed BEFORE.png CROP: the part of the main window no longer looks as it did.
field_changed() {
    local differing
    import -window "$main" -crop "$2" +repage "$work/field-now.png" || return 1
    differing=$(compare -metric AE "$1" "$work/field-now.png" null: 2>&1 || true)
    [ "${differing%% *}" -gt 0 ] 2>/dev/null
}
choose_next() {
    local x=$1 crop=$2 downs=$3
    import -window "$main" -crop "$crop" +repage "$work/field-before.png"
    click_main "$x" 42
    wait_until 30 has_popup || fail "no drop-down list opened at $x,42"
    xdotool key $downs Return
    wait_until 30 lacks_popup || fail "the drop-down list at $x,42 did not close"
    wait_until 30 field_changed "$work/field-before.png" "$crop" || fail "choosing at $x,42 changed nothing"
}
choose_next 335 96x18+226+34 Down         # Combo3: the second list
choose_next 471 96x18+362+34 "Down Down" # Combo2: the third object
import -window root "$artefacts/04-list-and-object.png"

# Help beside the running clock.
click_main 412 400
wait_until 60 has_window '^Hilfe$' || fail "no help window titled 'Hilfe'"
help=$(find_window '^Hilfe$')
read -r help_width help_height < <(client_size "$help")
# The designed page, 712 x 515, and below it the section on what this program adds.
[ "$help_width" = 712 ] && [ "$help_height" = 713 ] || fail "help window is ${help_width}x${help_height}, not 712x713"
# Its page is white with dark text once drawn.
help_drawn() {
    local mean darkest
    read -r mean darkest < <(import -window "$help" png:- 2>/dev/null | convert - -colorspace gray \
        -format '%[fx:mean] %[fx:minima]' info: 2>/dev/null || echo 0 1)
    awk -v mean="$mean" -v darkest="$darkest" 'BEGIN { exit !(mean > 0.8 && darkest < 0.3) }'
}
wait_until 60 help_drawn || fail "the help window shows no page"
import -window root "$artefacts/05-help.png"

# Back in the main window, its activation chooses the first list again; edit that list.
xdotool windowactivate --sync "$main"
first_list_shown() { ! field_changed "$work/first-list.png" 96x18+226+34; }
wait_until 60 first_list_shown || fail "returning to the main window did not choose the first list again"
list_file=$(head -n 1 <<<"$list_names").txt
click_main 412 80
wait_until 60 has_window '\.txt$' || fail "no editor window"
editor=$(find_window '\.txt$')
[ "$(xdotool getwindowname "$editor")" = "$list_file" ] ||
    fail "the editor shows $(xdotool getwindowname "$editor"), not $list_file"
echo "editing $list_file"
xdotool mousemove --window "$editor" 200 100 click 1
xdotool key ctrl+End
new_line="M 999;01:02:03;+04:05:06;Testobjekt aus dem Ende-zu-Ende-Test"
xdotool type --delay 10 "$new_line"
import -window root "$artefacts/06-editor.png"
xdotool mousemove --window "$editor" 412 312 click 1
# A message box titled with the program's name means the list could not be saved.
editor_done() { lacks_window '\.txt$' || has_window '^Zenitor$'; }
wait_until 60 editor_done || fail "the editor did not close after OK"
if has_window '^Zenitor$'; then
    fail "OK showed a message instead of saving; $user cannot write $program_folder," \
        "so the list belongs in $user_folder (see failure.png)"
fi
import -window root "$artefacts/07-saved.png"
(cd "$home" && ls -ln .local/share/zenitor && tail -n 2 ".local/share/zenitor/$list_file") \
    >"$artefacts/07-user-folder.txt" 2>&1 || true
[ -f "$user_folder/$list_file" ] || fail "$list_file was not saved into the user's data folder $user_folder"
tr -d '\r' <"$user_folder/$list_file" | grep -qxF "$new_line" || fail "the saved $list_file lacks the new object"
# The other files were copied there unchanged on the first start.
for file in "$program_folder"/*.txt; do
    name=$(basename "$file")
    [ "$name" = "$list_file" ] && continue
    cmp -s "$file" "$user_folder/$name" || fail "$user_folder/$name is not a copy of the installed $name"
done
(cd "$program_folder" && sha256sum -- *) | diff "$work/installed-before" - ||
    fail "the run changed files in the installed program folder"
echo "saved into $user_folder/$list_file; the installed files are unchanged"

# Resize by the height: the width must follow at 4:3.
xdotool windowactivate --sync "$main"
xdotool windowsize "$main" 700 600
width=0 height=0
resized_to_four_to_three() {
    local previous="$width $height"
    read -r width height < <(outer_size "$main")
    local deviation=$(((width * 3 - height * 4) < 0 ? (height * 4 - width * 3) : (width * 3 - height * 4)))
    # Changed from the start, 4:3, and the same as at the last look.
    [ "$height" != "$load_height" ] && [ "$deviation" -le 6 ] && [ "$previous" = "$width $height" ]
}
wait_until 60 resized_to_four_to_three
echo "outer size after resizing: ${width}x${height}"
resized_to_four_to_three || fail "outer size ${width}x${height} is not 4:3"
import -window root "$artefacts/08-resized.png"

# Stop, then wait until "Ende" is enabled: its caption turns black.
ende_enabled() {
    # Inside the button's edge, which is drawn black in both states.
    local crop="$((105 * width / load_width - 8))x$((33 * height / load_height - 8))+$((480 * width / load_width + 4))+$((384 * height / load_height + 4))"
    [ "$(count_pixels "$main" "$crop" 'r<0.05')" -gt 10 ]
}
ende_enabled && fail "'Ende' is enabled while the clock runs"
click_main 180 400
wait_until 60 ende_enabled || fail "'Ende' was not enabled after Stop"
import -window root "$artefacts/09-stopped.png"
click_main 532 400
wait_until 60 lacks_window '^Zenitor 2\.1$' || fail "'Ende' did not close the main window"

# The help window keeps the program alive until it is closed too.
wait_until 2 program_ended && fail "the program ended although the help window is open"
has_window '^Hilfe$' || fail "the help window closed with the main window"
xdotool windowactivate --sync "$help"
xdotool key alt+F4
wait_until 60 program_ended || fail "the program did not end with its last window"
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" = 0 ] || fail "the program exited with status $status"
echo "PASS: installed program used end to end by $user"
