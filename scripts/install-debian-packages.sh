#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian 12 packages that this machine lacks for building (build), for
# building the Debian package (package), or for building and running every test
# and the package (test). Needs root.
set -euo pipefail

build_packages=(cmake g++ make pkg-config qt6-base-dev liberfa-dev fonts-liberation2
                qt6-translations-l10n)
# CPack finds the libraries the program needs with dpkg-shlibdeps, and ELF files with file.
package_packages=(dpkg-dev file)
# The end-to-end tests drive the real window under a virtual X server.
test_packages=(xvfb xauth openbox xdotool x11-utils imagemagick faketime tzdata desktop-file-utils)
# Checks of the installed software centre entry and manual page.
test_packages+=(appstream man-db)
# The fuzzers: clang and its runtime library, which holds libFuzzer (g++ brings ASan and UBSan).
test_packages+=(clang-14 libclang-rt-14-dev)
# The check of the C++ sources against .clang-format, and the review of the Debian package.
test_packages+=(clang-format-14 lintian)

level=${1:-build}
# Set by a script that installed a level for all the scripts it runs: test covers every level.
installed=${ZENITOR_DEBIAN_PACKAGES_INSTALLED:-}
if [ "$installed" = test ] || [ "$installed" = "$level" ]; then
    exit 0
fi

case "$level" in
build) wanted=("${build_packages[@]}") ;;
package) wanted=("${build_packages[@]}" "${package_packages[@]}") ;;
test) wanted=("${build_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
*) echo "usage: $0 build|package|test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
