#!/usr/bin/env bash
# Installs what is missing, builds Trelvane and starts it from its data folder.
set -eu
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTRELVANE_TESTS=OFF -DTRELVANE_BENCH=OFF > /dev/null
cmake --build build -j"$(nproc)"
cd build/data
exec ../trelvane
