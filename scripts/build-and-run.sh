#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-debian-packages.sh build
cmake --preset release
cmake --build --preset release -j"$(nproc)"
exec build/src/zenitor
