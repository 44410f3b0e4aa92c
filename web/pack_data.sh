#!/usr/bin/env bash
# Packs the game's files from a data folder into a site's trelvane.data, laid out as the
# game's working folder, with the loader the page runs before the game
# (trelvane.data.js), with Emscripten's packer. The program keeps the whole file
# system (-sFORCE_FILESYSTEM), as the packer's note asks: the note is left out. The
# packer names each package with a random identifier; the loader gets the data's own
# hash in its place, so the same files always pack into the same two files.
# Usage: pack_data.sh <site folder> <data folder> <file...>
set -eu
site=$1
data=$(cd "$2" && pwd)
shift 2
packed=()
for file in "$@"; do
    packed+=("$data/$file@/$file")
done
cd "$site"
/usr/share/emscripten/tools/file_packager trelvane.data --preload "${packed[@]}" \
    --js-output=trelvane.data.js --no-node \
    2> >(grep -v '^Remember to build the main file with' >&2)
hash=$(sha256sum trelvane.data | cut -c1-32)
sed -i -E "s/\"package_uuid\": \"[^\"]*\"/\"package_uuid\": \"sha256-$hash\"/" trelvane.data.js
grep -q "\"package_uuid\": \"sha256-$hash\"" trelvane.data.js
