#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ source of the repository differs from what clang-format-14 makes
# of it with the repository's .clang-format, and shows the difference.
#   bash scripts/check-format.sh
set -euo pipefail
cd "$(dirname "$0")/.."

# Tracked and new files alike, never what the build folders hold.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t sources < <(git ls-files --cached --others --exclude-standard -- \
        '*.cpp' '*.h' '*.h.in' | sort -u)
else
    mapfile -t sources < <(find . \( -name 'build*' -o -name '.*' \) -prune -o -type f \
        \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' \) -print | sed 's|^\./||' | sort)
fi
((${#sources[@]})) || { echo "no C++ sources found" >&2; exit 1; }

failed=0
for source in "${sources[@]}"; do
    [ -f "$source" ] || continue
    if ! clang-format-14 --style=file "$source" | diff -u --label "$source" --label "$source (clang-format-14)" "$source" -; then
        failed=1
    fi
done
if ((failed)); then
    echo "FAIL: the files above differ from clang-format-14; run clang-format-14 -i on them" >&2
    exit 1
fi
echo "clang-format-14: ${#sources[@]} C++ sources as formatted"
