#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of the program, zenitor_<version>_<architecture>.deb,
# in build-deb/ (or the folder given) and prints its path.
#   bash scripts/build-debian-package.sh [build folder]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${1:-build-deb}"

bash scripts/install-debian-packages.sh package
cmake --preset deb -B "$build_dir"
cmake --build "$build_dir" -j"$(nproc)"
# A package of an older version would otherwise lie beside the new one.
rm -f "$build_dir"/zenitor_*.deb
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/zenitor_*.deb
