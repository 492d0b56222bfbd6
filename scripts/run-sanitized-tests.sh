#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (g++) in
# build-asan/, runs every test and then the real window for a few seconds under
# Xvfb; any sanitizer report fails the run.
#   bash scripts/run-sanitized-tests.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-asan}"

bash scripts/install-debian-packages.sh test
cmake --preset asan -B "$build_dir"
cmake --build "$build_dir" -j"$(nproc)"
cmake --build "$build_dir" -j"$(nproc)" --target zenitor_clock_benchmark

# Leak checking works on Qt's offscreen platform and under Xvfb alike, so it stays on.
# The end-to-end test preloads libfaketime, which ASan's link order check would refuse.
asan_options=(halt_on_error=1 print_stacktrace=1 detect_leaks=1 detect_stack_use_after_return=1
    check_initialization_order=1 strict_init_order=1 verify_asan_link_order=0)
export ASAN_OPTIONS="$(IFS=:; echo "${asan_options[*]}")"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan-suppressions.txt"

ctest --test-dir "$build_dir" --output-on-failure -j"$(nproc)"

# The tests run offscreen; this runs the clock in the real window on an X server.
echo "Sanitized clock in the real window for 5 s:"
xvfb-run -a "$build_dir/src/zenitor_clock_benchmark" 5
