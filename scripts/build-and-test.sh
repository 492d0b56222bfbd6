#!/usr/bin/env bash
# Checks the C++ sources against .clang-format, builds the program and its tests in
# build-tests/ and runs every test, then builds, installs, uses and purges the Debian
# package, and runs the sanitized tests and the fuzzers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-debian-packages.sh test
# The scripts below find the packages in place and install nothing more.
export ZENITOR_DEBIAN_PACKAGES_INSTALLED=test
bash scripts/check-format.sh
cmake --preset tests
cmake --build --preset tests -j"$(nproc)"
ctest --preset tests -j"$(nproc)"
bash scripts/test-debian-package.sh build-deb build-tests
bash scripts/run-sanitized-tests.sh
bash scripts/run-fuzzers.sh
