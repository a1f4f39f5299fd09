#!/bin/sh
# Installs what is missing, builds Scribolix (the program alone, in
# build-lancer/) and starts it.
set -eu
cd "$(dirname "$0")/.."
scripts/dependances.sh
cmake --preset lancer
cmake --build --preset lancer
exec build-lancer/src/app/scribolix "$@"
