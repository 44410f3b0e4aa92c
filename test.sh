#!/usr/bin/env bash
# Installs what is missing, builds Trelvane twice (as played, and with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test: unit tests,
# fuzzing, a soak of the game rules, valgrind on the played build, and the tests that
# open the game's window, each on an Xvfb screen of its own.
set -eu
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVANE_TESTS=OFF > /dev/null
cmake --build build -j"$jobs"
cmake -S . -B build-check -DCMAKE_BUILD_TYPE=Debug -DTRELVANE_SANITIZE=ON -DTRELVANE_BENCH=OFF \
    -DTRELVANE_PLAIN_BUILD="$PWD/build" > /dev/null
cmake --build build-check -j"$jobs"
cd build-check
export LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --output-on-failure -j"$jobs"
