#!/usr/bin/env bash
# Installs what is missing, builds in a fresh build folder and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-packages.sh
rm -rf build-test
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure -j"$(nproc)"
