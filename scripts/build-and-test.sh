#!/usr/bin/env bash
# Builds the program and its tests in build-tests/ and runs every test, then builds,
# installs, uses and purges the Debian package.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-debian-packages.sh test
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
cmake --build build-tests -j"$(nproc)"
ctest --test-dir build-tests --output-on-failure -j"$(nproc)"
bash scripts/test-debian-package.sh build-deb build-tests
bash scripts/run-sanitized-tests.sh
bash scripts/run-fuzzers.sh
