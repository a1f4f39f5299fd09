#!/bin/sh
# Installs what is missing, builds everything in build-tester/ and runs the
# whole test suite headless.
set -eu
cd "$(dirname "$0")/.."
scripts/dependances.sh libbenchmark-dev appstream desktop-file-utils man-db
cmake --preset tester
cmake --build --preset tester
ctest --preset tester
