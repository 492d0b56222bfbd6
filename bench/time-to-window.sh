#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures how long the program takes from its start until its main window is mapped
# on an Xvfb without a window manager, several times, and prints each and the median.
# The window is looked for every few milliseconds (one xdotool call each), so the
# figures are a few milliseconds late at most. Not a test: run it by hand.
#   bash bench/time-to-window.sh [build folder, default build-tests] [runs, default 7]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-tests}"
runs="${2:-7}"

. bench/xvfb-session.sh
bench_require Xvfb xdotool cmake -- xvfb, xdotool, cmake
cmake --build "$build_dir" --target zenitor >/dev/null
program="$build_dir/src/zenitor"

bench_start_xvfb
for ((i = 0; i < 100; i++)); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
# A home of its own, as on a first start.
export HOME="$work/home"
mkdir -p "$HOME"

times=()
for ((run = 1; run <= runs; run++)); do
    start=$(date +%s%N)
    "$program" >"$work/program.log" 2>&1 &
    program_pid=$!
    until xdotool search --onlyvisible --pid "$program_pid" >/dev/null 2>&1; do
        kill -0 "$program_pid" 2>/dev/null || { echo "the program ended:" >&2; cat "$work/program.log" >&2; exit 1; }
    done
    mapped=$(date +%s%N)
    kill "$program_pid"
    wait "$program_pid" 2>/dev/null || true
    times+=($(((mapped - start) / 1000000)))
    echo "run $run: window mapped after ${times[-1]} ms"
done
printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "median of %d runs: %d ms\n", NR, t[int((NR + 1) / 2)] }'
