# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the benchmark scripts: checks their tools, starts an Xvfb of its own and exports
# its DISPLAY. Sets work (a scratch folder) and pids (processes ended, newest first, with the
# scratch folder on exit); a script appends its own clients to pids.
#   bench_require TOOL... -- DEBIAN_PACKAGES
#   bench_start_xvfb
bench_require() {
    local tools=() tool
    while [ "$1" != -- ]; do tools+=("$1"); shift; done
    shift
    for tool in "${tools[@]}"; do
        command -v "$tool" >/dev/null || { echo "$tool is missing (Debian: $*)" >&2; exit 1; }
    done
}

bench_start_xvfb() {
    work=$(mktemp -d)
    pids=()
    # The clients first, then their X server.
    trap 'for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null || true; done; rm -rf "$work"' EXIT
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    for ((i = 0; i < 100; i++)); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
    DISPLAY=:$(head -n 1 "$work/display")
    export DISPLAY
}
