#!/usr/bin/env bash
# Installs what is missing, builds Trelvane four times (as played, with
# AddressSanitizer and UndefinedBehaviorSanitizer, for Windows and for the browser) and
# runs every test: unit tests, fuzzing, a soak of the game rules, valgrind on the played
# build, the tests that open the game's window, each on an Xvfb screen of its own, the
# Windows game under Wine and the browser game in headless Chromium.
set -eu
cd "$(dirname "$0")"
scripts/install-deps.sh --windows --web
jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRELVANE_TESTS=OFF > /dev/null
cmake --build build -j"$jobs"
# The Windows build, cross-compiled with MinGW-w64, for the tests under Wine.
cmake --preset windows > /dev/null
cmake --build --preset windows -j"$jobs"
# The browser build, with Emscripten, and the driver of headless Chromium for its tests.
cmake --preset web > /dev/null
cmake --build --preset web -j"$jobs"
npm ci --prefix tests/web --no-audit --no-fund --silent
cmake -S . -B build-check -DCMAKE_BUILD_TYPE=Debug -DTRELVANE_SANITIZE=ON -DTRELVANE_BENCH=OFF \
    -DTRELVANE_PLAIN_BUILD="$PWD/build" -DTRELVANE_WINDOWS_BUILD="$PWD/build-windows" \
    -DTRELVANE_WEB_BUILD="$PWD/build-web" > /dev/null
cmake --build build-check -j"$jobs"
cd build-check
export LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --output-on-failure -j"$jobs"
