#!/bin/sh
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs the whole test suite there, headless. Any sanitizer
# report (a leak included) fails the test that raised it. An allocation too
# large to be made returns null, as the system's allocator does, so that the
# program's own handling of it is what gets tested.
set -eu

racine=$(cd "$(dirname "$0")/.." && pwd)
construction="$racine/build-asan"

cmake -S "$racine" -B "$construction" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug \
    -DSCRIBOLIX_SANITIZE=ON \
    -DSCRIBOLIX_BENCH=OFF
cmake --build "$construction" -j2

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:allocator_may_return_null=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
cd "$construction"
ctest --output-on-failure -j2
