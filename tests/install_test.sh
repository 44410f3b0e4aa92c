#!/usr/bin/env bash
# Installs the built game into a throw-away prefix the way a user would
# (cmake --install --prefix ~/.local), checks the desktop integration files, starts
# the installed launcher from an unrelated folder, and builds the Debian package.
# Usage: install_test.sh <build dir>
set -u
build=$1
work=$(mktemp -d)
here=$(cd "$(dirname "$0")" && pwd)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

prefix="$work/home/.local"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log"; exit 1; }

app=org.trelvane.Trelvane
for f in bin/trelvane libexec/trelvane/trelvane share/trelvane/screen_begin.jpg \
         share/trelvane/shoot.wav share/trelvane/explode.wav \
         share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
         share/icons/hicolor/48x48/apps/$app.png share/icons/hicolor/128x128/apps/$app.png \
         share/icons/hicolor/256x256/apps/$app.png; do
    [ -e "$prefix/$f" ] || fail "missing $f"
done
[ "$(ls "$prefix/share/trelvane"/*.jpg 2>/dev/null | wc -l)" -eq 28 ] || fail "expected 28 pictures in share/trelvane"
for size in 48 128 256; do
    file "$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png" | grep -q "PNG image data, $size x $size" \
        || fail "icon $size is not a $size x $size PNG"
done
desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" > "$work/as.log" 2>&1 \
    || { cat "$work/as.log"; fail "metainfo"; }

# The launcher works from anywhere: it finds its data and the game starts and loads it.
cd "$work"
( "$here/xvfb.sh" "$prefix/bin/trelvane" > "$work/out" 2>&1; echo $? > "$work/status" ) &
runner=$!
for _ in $(seq 1 300); do
    [ -f "$work/status" ] && break
    grep -q '^GL_RENDERER' "$work/out" 2>/dev/null && break
    sleep 0.1
done
sleep 1
game_pid=$(pgrep -f "libexec/trelvane/trelvane" | head -1)
[ -n "$game_pid" ] || fail "the installed game is not running: $(cat "$work/out")"
if [ -n "$game_pid" ]; then
    [ "$(readlink "/proc/$game_pid/cwd")" = "$prefix/share/trelvane" ] || fail "game runs in $(readlink "/proc/$game_pid/cwd")"
    kill "$game_pid"
fi
wait "$runner" 2>/dev/null

# The Debian package from the same install.
(cd "$build" && cpack -G DEB -B "$work/deb" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/deb/*.deb 2>/dev/null | head -1)
if [ -n "$deb" ]; then
    dpkg-deb -f "$deb" Section | grep -qx games || fail "section is $(dpkg-deb -f "$deb" Section)"
    dpkg-deb -f "$deb" Depends | grep -q 'libglut' || fail "depends lacks freeglut: $(dpkg-deb -f "$deb" Depends)"
    dpkg-deb -c "$deb" > "$work/contents"
    grep -q "./usr/share/applications/$app.desktop" "$work/contents" || fail "package lacks the desktop entry"
else
    fail "no package built"
fi

[ "$failures" -eq 0 ] || exit 1
echo "install: prefix, launcher, desktop entry, metainfo, icons and package as expected"
