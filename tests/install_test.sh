#!/usr/bin/env bash
# Installs the built game into a throw-away prefix the way a user would
# (cmake --install --prefix ~/.local, here under a folder name with a space), checks
# the desktop integration files and the manual page, and starts the installed
# launcher from an unrelated folder.
# Usage: install_test.sh <build dir>
set -u
build=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/check.sh"
test_folder

prefix="$work/home dir/.local"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log"; exit 1; }

app=org.trelvane.Trelvane
for f in bin/trelvane libexec/trelvane/trelvane share/trelvane/screen_begin.jpg \
         share/trelvane/shoot.wav share/trelvane/explode.wav \
         share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
         share/icons/hicolor/48x48/apps/$app.png share/icons/hicolor/128x128/apps/$app.png \
         share/icons/hicolor/256x256/apps/$app.png share/man/man6/trelvane.6.gz \
         share/doc/trelvane/copyright share/doc/trelvane/changelog.gz; do
    [ -e "$prefix/$f" ] || fail "missing $f"
done
[ -e "$prefix/games" ] && fail "a prefix install has a games folder: the launcher belongs in bin"
[ "$(ls "$prefix/share/trelvane"/*.jpg 2>/dev/null | wc -l)" -eq 28 ] || fail "expected 28 pictures in share/trelvane"
for size in 48 128 256; do
    file "$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png" | grep -q "PNG image data, $size x $size" \
        || fail "icon $size is not a $size x $size PNG"
done
desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" > "$work/as.log" 2>&1 \
    || { cat "$work/as.log"; fail "metainfo"; }

# The manual page renders without a warning from man or groff, has the whatis entry
# that man -k reads, and names every file of the data folder and every control.
page="$prefix/share/man/man6/trelvane.6.gz"
export LC_ALL=C.UTF-8 MANWIDTH=80
man --warnings -E UTF-8 -l -Tutf8 -Z "$page" > /dev/null 2> "$work/man.err" || fail "man -l failed"
[ -s "$work/man.err" ] && fail "man --warnings: $(cat "$work/man.err")"
man -E UTF-8 -l "$page" > "$work/man.txt" 2> /dev/null
lexgrog "$page" | grep -q ': "trelvane - .' || fail "whatis entry: $(lexgrog "$page")"
for f in "$prefix/share/trelvane"/*; do
    grep -qF -- "$(basename "$f")" "$work/man.txt" || fail "the manual page does not name $(basename "$f")"
done
sed -n '/^CONTROLS/,/^[A-Z]/p' "$work/man.txt" > "$work/man.controls"
sed -n '/^## Controls/,/^## [^C]/p' "$here/../README.md" | sed -n 's/^| \([^|]*[^ |]\) *|.*/\1/p' |
    grep -v -e '^key$' -e '^---$' > "$work/keys"
[ -s "$work/keys" ] || fail "no control keys found in README.md"
while read -r key; do
    grep -qF -- "$key" "$work/man.controls" || fail "the manual page's controls lack \"$key\""
done < "$work/keys"

# The launcher works from anywhere: it finds its data and the game starts and loads it.
cd "$work" || exit 1
"$here/launch_check.sh" "$prefix/libexec/trelvane/trelvane" "$prefix/share/trelvane" \
    "$prefix/bin/trelvane" || fail "the installed launcher"

[ "$failures" -eq 0 ] || exit 1
echo "install: prefix, launcher, desktop entry, metainfo, icons and manual page as expected"
