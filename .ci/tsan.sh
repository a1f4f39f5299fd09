#!/bin/sh
# Builds with ThreadSanitizer in build-tsan/ the tests that start threads and
# runs them there, headless: the reading on two threads, the model loaded
# beside the list's index (the command-line tool, run by its tests), and the
# windows' reading on a worker thread. Any report fails the test that raised
# it.
set -eu

racine=$(cd "$(dirname "$0")/.." && pwd)
cd "$racine"
cmake --preset tsan >/dev/null
cmake --build --preset tsan

export QT_QPA_PLATFORM=offscreen
options="halt_on_error=1:exitcode=66:second_deadlock_stack=1:allocator_may_return_null=1"
cd build-tsan
TSAN_OPTIONS="$options:suppressions=$racine/.ci/tsan.supp" \
    ctest --output-on-failure -j2 -R '^(moteur_retablissement|cli)$'
TSAN_OPTIONS="$options:suppressions=$racine/.ci/tsan-fenetres.supp" \
    ctest --output-on-failure -R '^fenetres_traduire$'
