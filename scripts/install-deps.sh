#!/usr/bin/env bash
# Installs what Trelvane needs to build, play and test on Debian 12 or Ubuntu, and
# nothing when it is all there already. Uses sudo when not run as root.
# Usage: install-deps.sh [--windows] [--web]
set -eu

packages=(
    build-essential cmake pkg-config
    freeglut3-dev libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
    libsdl2-dev libfreetype-dev fonts-dejavu-core
    libgtest-dev libbenchmark-dev zlib1g-dev
    clang libclang-rt-dev clang-format
    xvfb xauth xdotool x11-utils imagemagick
    valgrind desktop-file-utils appstream dpkg-dev file procps
    lintian man-db groff-base
)
# With --windows (test.sh): the Windows build and its tests under Wine too: the
# cross-compiler, the assembler of the JPEG library's SIMD code, the installer maker,
# Wine, and the keys that apt checks Debian's source packages with.
# With --web (test.sh): the browser build and its tests: Emscripten, Chromium, unzip, npm for
# the browser driver (when node came without it), and the same keys.
for option in "$@"; do
    case $option in
        --windows) packages+=(mingw-w64 nasm nsis wine64 unzip debian-archive-keyring) ;;
        --web)
            packages+=(emscripten chromium unzip debian-archive-keyring)
            command -v npm > /dev/null || packages+=(npm)
            ;;
    esac
done
# The JPEG library with the 6b interface (version 62): Debian's libjpeg-turbo build
# of it, or on Ubuntu the distribution's default libjpeg development files.
if apt-cache show libjpeg62-turbo-dev > /dev/null 2>&1; then
    packages+=(libjpeg62-turbo-dev)
else
    packages+=(libjpeg-dev)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
# A package list read before the update may not know every name yet: ask again.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
