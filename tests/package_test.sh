#!/usr/bin/env bash
# Builds the Debian package the way a packager would (cpack -G DEB in the build
# folder), has lintian check it, looks at what it holds, and starts the game from the
# package's files as the desktop entry does: "trelvane" through the PATH.
# Usage: package_test.sh <build dir>
set -u
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/check.sh"
test_folder

program_before=$(sha256sum < "$build/trelvane")
(cd "$build" && cpack -G DEB -B "$work/deb" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/deb/*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { cat "$work/cpack.log"; echo "FAIL: no package built"; exit 1; }

# Lintian as a distribution runs it: any error or warning fails, and so does a program
# built without the distribution's hardening (told among its pedantic notes). Its output
# is shown whole either way; the notice about running as root is not a finding.
TMPDIR="$work" lintian --fail-on error,warning --display-info --pedantic "$deb" > "$work/lintian.log" 2>&1 ||
    fail "lintian"
grep ' hardening-' "$work/lintian.log" && fail "the program lacks the distribution's hardening"
echo "lintian $(basename "$deb"):"
grep -v '^running with root privileges' "$work/lintian.log"
echo "(end of lintian's output)"

dpkg-deb -f "$deb" Section | grep -qx games || fail "section is $(dpkg-deb -f "$deb" Section)"
dpkg-deb -f "$deb" Depends | grep -q 'libglut' || fail "depends lacks freeglut: $(dpkg-deb -f "$deb" Depends)"

dpkg-deb -c "$deb" > "$work/contents"
for f in usr/games/trelvane usr/libexec/trelvane/trelvane usr/share/man/man6/trelvane.6.gz \
         usr/share/doc/trelvane/copyright usr/share/doc/trelvane/changelog.gz \
         usr/share/applications/org.trelvane.Trelvane.desktop; do
    grep -q " \./$f\$" "$work/contents" || fail "package lacks /$f"
done
grep -q ' \./usr/bin/' "$work/contents" && fail "package has /usr/bin: Debian's games go in /usr/games"

root="$work/root"
dpkg-deb -x "$deb" "$root"
file "$root/usr/libexec/trelvane/trelvane" | grep -q ', stripped' || fail "the packaged program is not stripped"
# Only the package's copy is stripped: the build folder's program stays as built, with
# its debug information in the build types that have it.
[ "$(sha256sum < "$build/trelvane")" = "$program_before" ] || fail "cpack changed the build folder's program"
case $(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt") in
    RelWithDebInfo | Debug)
        file "$build/trelvane" | grep -q 'with debug_info' || fail "the build folder's program has no debug information" ;;
esac

# One version throughout: the package's, the changelog's latest entry, the metainfo's
# latest release.
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/trelvane/changelog.gz" > "$work/changelog"
changelog=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
[ "$changelog" = "$version" ] || fail "changelog's latest entry is $changelog, the package is $version"
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' \
    "$root/usr/share/metainfo/org.trelvane.Trelvane.metainfo.xml" | head -1)
[ "$release" = "$version" ] || fail "metainfo's latest release is $release, the package is $version"

# The copyright file is machine-readable and carries the licence of the sources.
copyright="$root/usr/share/doc/trelvane/copyright"
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    || fail "copyright is not in the machine-readable format"
sed -n '/^Permission/,$p' "$here/../LICENSE" > "$work/license"
sed -n '/^License: Expat$/,$p' "$copyright" | tail -n +2 | sed -n '/^ Permission/,$p' |
    sed 's/^ //; s/^\.$//' > "$work/copyright.license"
cmp -s "$work/license" "$work/copyright.license" || fail "copyright's licence text differs from LICENSE"

cd "$work" || exit 1
PATH="$root/usr/games:$PATH" "$here/launch_check.sh" "$root/usr/libexec/trelvane/trelvane" \
    "$root/usr/share/trelvane" trelvane || fail "the packaged launcher"

[ "$failures" -eq 0 ] || exit 1
echo "package: lintian clean; launcher, stripped program, manual page, copyright and changelog as expected"
