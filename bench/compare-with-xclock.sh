#!/usr/bin/env bash
# Runs the clock in the real main window beside `xclock -update 1` on one Xvfb for
# the same time and prints both programs' processor time and peak memory, and the
# ratio. Both are measured alike from outside at the start and the end of the
# same window: utime + stime of /proc/<pid>/stat, the run time in nanoseconds of
# every thread from /proc/<pid>/task/*/schedstat (the clock ticks of stat are too
# coarse for programs this idle), and VmHWM of /proc/<pid>/status.
# Not a test: run it by hand on an otherwise idle machine.
#   bash bench/compare-with-xclock.sh [build folder, default build-tests] [seconds, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-tests}"
seconds="${2:-60}"
# Both programs are up and our clock runs (the benchmark presses Start after 1 s).
settle_seconds=3

for tool in Xvfb xclock cmake; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (Debian: xvfb, x11-apps, cmake)" >&2; exit 1; }
done
cmake --build "$build_dir" --target zenitor_clock_benchmark >/dev/null
benchmark="$build_dir/src/zenitor_clock_benchmark"

work=$(mktemp -d)
pids=()
cleanup() {
    # The clients first, then their X server.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for ((i = 0; i < 100; i++)); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display")

# Our benchmark closes its window by itself; it gets time to spare so that it is
# still running when the window ends, just as xclock is.
"$benchmark" $((seconds + settle_seconds + 30)) >"$work/zenitor.log" 2>&1 &
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
alive "$zenitor" zenitor
alive "$xclock" xclock
zenitor_start=$(cpu_ticks "$zenitor")
xclock_start=$(cpu_ticks "$xclock")
zenitor_start_ns=$(cpu_nanoseconds "$zenitor")
xclock_start_ns=$(cpu_nanoseconds "$xclock")
sleep "$seconds"
alive "$zenitor" zenitor
alive "$xclock" xclock
zenitor_end=$(cpu_ticks "$zenitor")
xclock_end=$(cpu_ticks "$xclock")
zenitor_end_ns=$(cpu_nanoseconds "$zenitor")
xclock_end_ns=$(cpu_nanoseconds "$xclock")
zenitor_peak=$(peak_kilobytes "$zenitor")
xclock_peak=$(peak_kilobytes "$xclock")

awk -v ticks="$(getconf CLK_TCK)" -v seconds="$seconds" \
    -v zs="$zenitor_start" -v ze="$zenitor_end" -v zp="$zenitor_peak" \
    -v zsn="$zenitor_start_ns" -v zen="$zenitor_end_ns" \
    -v xs="$xclock_start" -v xe="$xclock_end" -v xp="$xclock_peak" \
    -v xsn="$xclock_start_ns" -v xen="$xclock_end_ns" '
function ratio(a, b) { return b > 0 ? sprintf("%.1f", a / b) : "n/a" }
BEGIN {
    zw = (ze - zs) / ticks; xw = (xe - xs) / ticks
    zn = (zen - zsn) / 1e9; xn = (xen - xsn) / 1e9
    zt = ze / ticks; xt = xe / ticks
    printf "Both running for the same %d s on one Xvfb:\n\n", seconds
    printf "| program | CPU s in the %d s (stat, %.2f s steps) | CPU s in the %d s (schedstat) " \
           "| CPU s since start | peak resident MB |\n", seconds, 1 / ticks, seconds
    printf "| --- | --- | --- | --- | --- |\n"
    printf "| zenitor_clock_benchmark (clock running) | %.2f | %.4f | %.2f | %.1f |\n", zw, zn, zt, zp / 1024
    printf "| xclock -update 1 | %.2f | %.4f | %.2f | %.1f |\n", xw, xn, xt, xp / 1024
    printf "| ratio zenitor / xclock | %s | %s | %s | %s |\n", ratio(zw, xw), ratio(zn, xn), ratio(zt, xt), ratio(zp, xp)
}'
