#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts an SPDX-License-Identifier line at the top of every source file of the
# repository (after a shebang, an XML declaration or a man page's preprocessor
# line), in the comment form of the file's kind. Files that hold the line already
# stay as they are, so running it twice changes nothing. Data files, test
# fixtures and formats without comments are left out.
#   bash scripts/add-spdx-headers.sh           adds the missing lines
#   bash scripts/add-spdx-headers.sh --check   changes nothing; fails when a file lacks it
set -euo pipefail
cd "$(dirname "$0")/.."

license=GPL-3.0-or-later
# The AppStream entry states its own licence for the metadata, which the line must repeat.
metadata_license=CC0-1.0

check=0
case "${1:-}" in
"") ;;
--check) check=1 ;;
*) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

# Tracked and new files alike, never what the build folders hold.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard | sort -u)
else
    mapfile -t files < <(find . \( -name 'build*' -o -name .git \) -prune -o -type f -print |
        sed 's|^\./||' | sort)
fi

# kind_of FILE: prints the comment form the file takes (slash, hash, html, roff) or
# skip, or unknown for a kind this script does not know.
kind_of() {
    local file=$1
    case "$file" in
    # What programs and tests read as data, texts under their own terms, and formats
    # that have no comments.
    LICENSE | *.json | *.png | *.jpg | *.csv | data/*.txt | tests/*/data/* | tests/fuzz/corpus/* |\
        packaging/debian/*) echo skip ;;
    *.cpp | *.h | *.hpp | *.c | *.h.in) echo slash ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | *.py | *.desktop | *.desktop.in |\
        .gitignore | */.gitignore | .clang-format | *.yml | *.yaml | scripts/*.txt) echo hash ;;
    *.md | *.xml | *.svg | *.qrc | *.ui | *.html) echo html ;;
    *.[1-8] | *.[1-8].in) echo roff ;;
    *)
        if [ "$(head -c 2 "$file")" = '#!' ]; then echo hash; else echo unknown; fi
        ;;
    esac
}

license_of() {
    case "$1" in
    *.metainfo.xml | *.appdata.xml) echo "$metadata_license" ;;
    *) echo "$license" ;;
    esac
}

# has_line FILE: the identifier stands in the first lines, where tools look for it.
has_line() { head -n 5 "$1" | grep -q 'SPDX-License-Identifier:'; }

# add_line FILE KIND: writes the line in place, keeping the file's mode.
add_line() {
    local file=$1 kind=$2 identifier line
    identifier="SPDX-License-Identifier: $(license_of "$file")"
    case "$kind" in
    slash) line="// $identifier" ;;
    hash) line="# $identifier" ;;
    html) line="<!-- $identifier -->" ;;
    roff) line=".\\\" $identifier" ;;
    esac
    local first
    first=$(head -n 1 "$file")
    local after_first=0
    case "$kind:$first" in
    hash:'#!'* | html:'<?xml'* | html:'<!DOCTYPE'* | html:'<!doctype'* | roff:"'\\\""*) after_first=1 ;;
    esac
    local temporary
    temporary=$(mktemp "$file.spdx.XXXXXX")
    if ((after_first)); then
        { head -n 1 "$file"; printf '%s\n' "$line"; tail -n +2 "$file"; } >"$temporary"
    else
        { printf '%s\n' "$line"; cat "$file"; } >"$temporary"
    fi
    chmod --reference="$file" "$temporary"
    mv "$temporary" "$file"
}

missing=()
unknown=()
for file in "${files[@]}"; do
    [ -f "$file" ] && [ ! -L "$file" ] || continue
    kind=$(kind_of "$file")
    case "$kind" in
    skip) continue ;;
    unknown)
        unknown+=("$file")
        continue
        ;;
    esac
    has_line "$file" && continue
    if ((check)); then
        missing+=("$file")
    else
        add_line "$file" "$kind"
        echo "added: $file"
    fi
done

if ((${#unknown[@]})); then
    echo "not covered (no comment form known; add the kind to this script or skip it):"
    printf '  %s\n' "${unknown[@]}"
fi
if ((${#missing[@]})); then
    echo "FAIL: these files lack an SPDX-License-Identifier line;" \
        "run bash scripts/add-spdx-headers.sh:" >&2
    printf '  %s\n' "${missing[@]}" >&2
    exit 1
fi
if ((check)); then echo "SPDX-License-Identifier: every covered source file has one"; fi
