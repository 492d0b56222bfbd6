#!/usr/bin/env bash
# Builds the program in build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-debian-packages.sh build
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build -j"$(nproc)"
exec build/src/zenitor
