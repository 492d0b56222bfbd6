#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer harnesses of tests/fuzz with clang in build-fuzz/ and runs
# both side by side for a bounded time, starting from the seeds in
# tests/fuzz/corpus/. A crash, a sanitizer report or a broken property fails the
# run; the input that did it is left in <build folder>/crashes/.
#   bash scripts/run-fuzzers.sh [build folder] [seconds per fuzzer, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-fuzz}"
seconds="${2:-30}"
fuzzers=(parseleadingnumber objectlist)

bash scripts/install-debian-packages.sh test
cmake --preset fuzz -B "$build_dir"
cmake --build "$build_dir" -j"$(nproc)" --target "${fuzzers[@]/#/fuzz_}"

export ASAN_OPTIONS="halt_on_error=1:print_stacktrace=1:detect_leaks=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$build_dir/crashes"
# The list reader fuzzer writes a file per input: on tmpfs that is ten times faster than on disk.
scratch=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch
pids=()
for fuzzer in "${fuzzers[@]}"; do
    # New finds go to a corpus in the build folder; the committed seeds stay as they are.
    mkdir -p "$build_dir/corpus/$fuzzer"
    "$build_dir/tests/fuzz/fuzz_$fuzzer" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$build_dir/crashes/$fuzzer-" \
        "$build_dir/corpus/$fuzzer" "tests/fuzz/corpus/$fuzzer" \
        >"$build_dir/$fuzzer.log" 2>&1 &
    pids+=($!)
done

failed=0
for i in "${!fuzzers[@]}"; do
    fuzzer=${fuzzers[$i]}
    if wait "${pids[$i]}"; then
        result=passed
    else
        result=FAILED
        failed=1
        # The report, the stack and the input close the log; before them come thousands of finds.
        tail -n 60 "$build_dir/$fuzzer.log"
    fi
    done_line=$(grep -E '^Done [0-9]+ runs' "$build_dir/$fuzzer.log" || echo "stopped early")
    echo "fuzz_$fuzzer: $result: $done_line (log: $build_dir/$fuzzer.log)"
done
exit "$failed"
