#!/bin/sh
# Installs what is missing, builds everything and runs the whole test suite
# headless.
set -eu
cd "$(dirname "$0")/.."
scripts/dependances.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
