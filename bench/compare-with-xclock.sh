#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the clock in the real main window beside `xclock -update 1` on one Xvfb and
# prints both programs' processor time and peak memory, and the ratios, for one or
# more back-to-back windows of the same run. Both are measured alike from outside
# at the start and the end of each window: utime + stime of /proc/<pid>/stat, the
# run time in nanoseconds of every thread from /proc/<pid>/task/*/schedstat (the
# clock ticks of stat are too coarse for programs this idle), and VmHWM of
# /proc/<pid>/status.
# Not a test: run it by hand on an otherwise idle machine.
#   bash bench/compare-with-xclock.sh [build folder, default build-tests] [seconds, default 60]
#        [windows, default 1] [settling seconds, default 3]
# With 65 settling seconds the windows leave out the clock's first minute, in which the readouts
# lay out the seconds' tails they then keep all night.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-tests}"
seconds="${2:-60}"
windows="${3:-1}"
# Both programs are up and our clock runs (the benchmark presses Start after 1 s).
settle_seconds="${4:-3}"

. bench/xvfb-session.sh
bench_require Xvfb xclock cmake -- xvfb, x11-apps, cmake
cmake --build "$build_dir" --target zenitor_clock_benchmark >/dev/null
benchmark="$build_dir/src/zenitor_clock_benchmark"

bench_start_xvfb

# Our benchmark closes its window by itself; it gets time to spare so that it is
# still running when the window ends, just as xclock is.
"$benchmark" $((seconds * windows + settle_seconds + 30)) >"$work/zenitor.log" 2>&1 &
zenitor=$!
pids+=($zenitor)
xclock -update 1 >"$work/xclock.log" 2>&1 &
xclock=$!
pids+=($xclock)

# Processor time of a process in clock ticks: utime + stime, fields 14 and 15.
cpu_ticks() {
    local stat
    stat=$(<"/proc/$1/stat")
    local fields
    read -r -a fields <<<"${stat##*) }"
    echo $((fields[11] + fields[12]))
}
# Nanoseconds on a processor, summed over the threads alive now.
cpu_nanoseconds() { cat "/proc/$1"/task/*/schedstat | awk '{ sum += $1 } END { printf "%d", sum }'; }
peak_kilobytes() { awk '/^VmHWM:/ { print $2 }' "/proc/$1/status"; }
alive() { kill -0 "$1" 2>/dev/null || { echo "$2 stopped early:" >&2; cat "$work/$2.log" >&2; exit 1; }; }

sleep "$settle_seconds"
# One line per window boundary: zenitor ticks, xclock ticks, zenitor ns, xclock ns.
for ((w = 0; w <= windows; w++)); do
    ((w == 0)) || sleep "$seconds"
    alive "$zenitor" zenitor
    alive "$xclock" xclock
    echo "$(cpu_ticks "$zenitor") $(cpu_ticks "$xclock") $(cpu_nanoseconds "$zenitor") $(cpu_nanoseconds "$xclock")"
done >"$work/readings"
zenitor_peak=$(peak_kilobytes "$zenitor")
xclock_peak=$(peak_kilobytes "$xclock")

awk -v ticks="$(getconf CLK_TCK)" -v seconds="$seconds" -v zp="$zenitor_peak" -v xp="$xclock_peak" '
function ratio(a, b) { return b > 0 ? sprintf("%.1f", a / b) : "n/a" }
function row(name, zt, xt, zn, xn) {
    printf "| %s | %.4f | %.4f | %s | %.2f | %.2f | %s |\n", name, zn, xn, ratio(zn, xn), zt, xt, ratio(zt, xt)
}
{ zt[NR] = $1 / ticks; xt[NR] = $2 / ticks; zn[NR] = $3 / 1e9; xn[NR] = $4 / 1e9 }
END {
    n = NR - 1
    printf "Zenitor (zenitor_clock_benchmark, clock running) beside xclock -update 1 on one Xvfb,\n"
    printf "processor time in %d window(s) of %d s:\n\n", n, seconds
    printf "| window | Zenitor CPU s (schedstat) | xclock CPU s (schedstat) | ratio " \
           "| Zenitor CPU s (stat, %.2f s steps) | xclock CPU s (stat) | ratio |\n", 1 / ticks
    printf "| --- | --- | --- | --- | --- | --- | --- |\n"
    for (i = 1; i <= n; i++)
        row(i, zt[i + 1] - zt[i], xt[i + 1] - xt[i], zn[i + 1] - zn[i], xn[i + 1] - xn[i])
    if (n > 1)
        row("all", zt[NR] - zt[1], xt[NR] - xt[1], zn[NR] - zn[1], xn[NR] - xn[1])
    printf "\nPeak resident memory: Zenitor %.1f MB, xclock %.1f MB, ratio %s.\n", zp / 1024, xp / 1024, ratio(zp, xp)
    printf "Processor time since start (stat): Zenitor %.2f s, xclock %.2f s.\n", zt[NR], xt[NR]
}' "$work/readings"
