#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Counts the instructions of the running clock with callgrind, beside `xclock -update 1`
# on one Xvfb, and prints both per second of clock. Both programs' counters are zeroed
# after the settling time (start-up under valgrind, then the clock's first passes, which
# load fonts and fill glyph caches once), then dumped after the given seconds.
# Instruction counts repeat from run to run, unlike processor time.
# Not a test: run it by hand.
#   bash bench/callgrind-clock.sh [build folder, default build-tests] [seconds, default 20]
#                                 [settling seconds, default 30] [folder to keep the profiles in]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-tests}"
seconds="${2:-20}"
# Both are up under valgrind, and our clock (Start is pressed after 1 s) has made its
# first passes, before the counters are zeroed.
settle_seconds="${3:-30}"
keep="${4:-}"

. bench/xvfb-session.sh
bench_require Xvfb xclock valgrind callgrind_control cmake -- xvfb, x11-apps, valgrind, cmake
cmake --build "$build_dir" --target zenitor_clock_benchmark >/dev/null
benchmark="$build_dir/src/zenitor_clock_benchmark"

bench_start_xvfb

valgrind --tool=callgrind --callgrind-out-file="$work/xclock.out" \
    xclock -update 1 >"$work/xclock.log" 2>&1 &
xclock=$!
pids+=($xclock)
valgrind --tool=callgrind --callgrind-out-file="$work/zenitor.out" \
    "$benchmark" $((settle_seconds + seconds + 30)) >"$work/zenitor.log" 2>&1 &
zenitor=$!
pids+=($zenitor)

sleep "$settle_seconds"
for pid in "$zenitor" "$xclock"; do
    kill -0 "$pid" 2>/dev/null || { echo "stopped early:" >&2; cat "$work"/*.log >&2; exit 1; }
done
callgrind_control -z "$zenitor" >/dev/null
callgrind_control -z "$xclock" >/dev/null
sleep "$seconds"
callgrind_control -d "$zenitor" >/dev/null
callgrind_control -d "$xclock" >/dev/null
kill "$xclock" "$zenitor"
wait "$xclock" "$zenitor" || true

if [ -n "$keep" ]; then
    mkdir -p "$keep"
    cp "$work/zenitor.out.1" "$keep/zenitor.callgrind"
    cp "$work/xclock.out.1" "$keep/xclock.callgrind"
fi
total() { awk '/^summary:/ { print $2 }' "$1"; }
# Our passes in the window: the calls of SiderealClock::makePass() that callgrind recorded
# (a window's edges fall a little differently in each run, so per pass repeats better).
passes() {
    awk '/^c?fn=\([0-9]+\) SiderealClock::makePass\(\)$/ { match($0, /\([0-9]+\)/); id = substr($0, RSTART, RLENGTH) }
         /^cfn=/ { callee = $0 }
         /^calls=/ { if (id != "" && index(callee, "cfn=" id) == 1) { split($0, a, /[= ]/); n += a[2] } }
         END { print n + 0 }' "$1"
}
awk -v z="$(total "$work/zenitor.out.1")" -v x="$(total "$work/xclock.out.1")" -v s="$seconds" \
    -v p="$(passes "$work/zenitor.out.1")" 'BEGIN {
    printf "instructions per second of clock over %d s (callgrind):\n", s
    printf "  Zenitor %.3f million, xclock %.3f million, ratio %.1f\n", z / s / 1e6, x / s / 1e6, z / x
    if (p > 0)
        printf "  Zenitor %.3f million per pass (%d passes)\n", z / p / 1e6, p
}'
