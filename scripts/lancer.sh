#!/bin/sh
# Installs what is missing, builds Scribolix and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/dependances.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
exec build/src/app/scribolix "$@"
