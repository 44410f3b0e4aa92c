#!/usr/bin/env bash
# Installs what is missing, builds Trelvane three times (as played, with
# AddressSanitizer and UndefinedBehaviorSanitizer, and for Windows) and runs every
# test: unit tests, fuzzing, a soak of the game rules, valgrind on the played build,
# the tests that open the game's window, each on an Xvfb screen of its own, and the
# Windows game under Wine.
set -eu
cd "$(dirname "$0")"
scripts/install-deps.sh --windows
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVANE_TESTS=OFF > /dev/null
cmake --build build -j"$jobs"
# The Windows build, cross-compiled with MinGW-w64, for the tests under Wine.
cmake --preset windows > /dev/null
cmake --build --preset windows -j"$jobs"
cmake -S . -B build-check -DCMAKE_BUILD_TYPE=Debug -DTRELVANE_SANITIZE=ON -DTRELVANE_BENCH=OFF \
    -DTRELVANE_PLAIN_BUILD="$PWD/build" -DTRELVANE_WINDOWS_BUILD="$PWD/build-windows" > /dev/null
cmake --build build-check -j"$jobs"
cd build-check
export LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --output-on-failure -j"$jobs"
