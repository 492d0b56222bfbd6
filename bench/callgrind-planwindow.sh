#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Counts the instructions of the open plan window (110 objects) with callgrind: the benchmark
# steps its clock a second per refresh and paints what changed, so a run of simulated seconds
# repeats exactly and holds what a minute of the open window holds: the refreshes, the
# chart's redraw when "jetzt" moves a pixel, rows that come within an hour of the meridian.
# Prints the instructions per simulated second, and those of the main parts.
# Not a test: run it by hand.
#   bash bench/callgrind-planwindow.sh [build folder, default build-tests] [seconds, default 600]
#                                      [start "hh:mm" on 2026-12-08, default 23:30]
#                                      [file to keep the profile in]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-tests}"
seconds="${2:-600}"
start="${3:-23:30}"
keep="${4:-}"

. bench/xvfb-session.sh
bench_require Xvfb valgrind callgrind_annotate cmake -- xvfb, valgrind, cmake
cmake --build "$build_dir" --target zenitor_planwindow_benchmark >/dev/null
benchmark="$build_dir/src/zenitor_planwindow_benchmark"

bench_start_xvfb

valgrind --tool=callgrind --callgrind-out-file="$work/plan.out" --collect-atstart=no \
    '--toggle-collect=*stepSeconds*' "$benchmark" --steps "$seconds" "$start" \
    >"$work/plan.log" 2>&1 || { cat "$work/plan.log" >&2; exit 1; }
[ -n "$keep" ] && cp "$work/plan.out" "$keep"

# A function's inclusive instructions, from the annotated profile.
inclusive() {
    callgrind_annotate --inclusive=yes --threshold=100 "$work/plan.out" 2>/dev/null |
        awk -v name="$1" '!done && index($0, ":" name) { gsub(/,/, "", $1); print $1; done = 1 }'
}
total=$(awk '/^summary:/ { print $2 }' "$work/plan.out")
awk -v t="$total" -v s="$seconds" 'BEGIN {
    printf "%d simulated seconds: %.3f million instructions per second, %.1f million per minute\n",
        s, t / s / 1e6, t / s * 60 / 1e6 }'
for fn in 'PlanWindow::refresh()' 'computePlan(' 'PlanTableModel::setRows(' \
    'PlanWindow::fitColumns()' 'QTableView::paintEvent(' 'PlanChart::paintEvent(' \
    'PlanHeaderLine::paintEvent('; do
    c=$(inclusive "$fn")
    awk -v f="$fn" -v c="${c:-0}" -v s="$seconds" 'BEGIN {
        printf "  %-28s %8.2f million in all, %6.3f million per second\n", f, c / 1e6, c / s / 1e6 }'
done
