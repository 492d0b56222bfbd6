#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the C++ sources against .clang-format and every source file for its licence
# line, builds the program and its tests in build-tests/ and runs every test, then
# builds, installs, uses and purges the Debian package, and runs the sanitized tests
# and the fuzzers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-debian-packages.sh test
# The scripts below find the packages in place and install nothing more.
export ZENITOR_DEBIAN_PACKAGES_INSTALLED=test
bash scripts/check-format.sh
bash scripts/add-spdx-headers.sh --check
cmake --preset tests
cmake --build --preset tests -j"$(nproc)"
ctest --preset tests -j"$(nproc)"
bash scripts/test-debian-package.sh build-deb build-tests
bash scripts/run-sanitized-tests.sh
bash scripts/run-fuzzers.sh
