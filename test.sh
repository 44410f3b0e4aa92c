#!/usr/bin/env bash
# Installs what is missing, builds Trelvane with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test: unit tests, fuzzing, a soak, and
# the tests that open the game's window, each on an Xvfb screen of its own.
set -eu
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build-check -DCMAKE_BUILD_TYPE=Debug -DTRELVANE_SANITIZE=ON -DTRELVANE_BENCH=OFF > /dev/null
cmake --build build-check -j"$(nproc)"
cd build-check
export LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --output-on-failure -j"$(nproc)"
