#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of the program, zenitor_<version>_<architecture>.deb,
# in build-deb/ (or the folder given) and prints its path.
#   bash scripts/build-debian-package.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-deb}"

bash scripts/install-debian-packages.sh package
# Debian's hardening, as debhelper builds every package: fortified functions, stack
# protector, format checks, read-only relocations bound at start (PIE is gcc's default).
# No debug symbol package is built, so -g would only be stripped again.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
cppflags=$(dpkg-buildflags --get CPPFLAGS)
cxxflags=$(dpkg-buildflags --get CXXFLAGS)
ldflags=$(dpkg-buildflags --get LDFLAGS)
# CMake reads no CPPFLAGS, so they go with the compiler flags, as debhelper passes them.
cmake --preset deb -B "$build_dir" -DCMAKE_CXX_FLAGS="$cppflags $cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags"
cmake --build "$build_dir" -j"$(nproc)"
# A package of an older version would otherwise lie beside the new one.
rm -f "$build_dir"/zenitor_*.deb
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/zenitor_*.deb
