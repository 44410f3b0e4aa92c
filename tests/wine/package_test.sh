#!/usr/bin/env bash
# What a Windows player downloads, built the way a packager builds it (cpack in the
# Windows build folder) and used under Wine:
# - the zip: one folder with trelvane.exe, the 28 pictures, the two sounds,
#   LICENSE.txt and README.txt;
# - the program's version resource and the installer's entry in the list of programs
#   carry the version and publisher the Debian package has, and the program needs no
#   DLL that Windows itself lacks;
# - the program is a GUI program (Windows opens no console for it);
# - the installer installs silently into a chosen folder (by default Program
#   Files\Trelvane), with a Start-menu shortcut that starts the game in its folder (its
#   title shows, with every picture loaded), and the game's window is then the only one
#   on the screen (no console window beside it);
# - the silent uninstaller leaves nothing of it behind: files, folder, shortcuts and
#   registry keys;
# - clicked through as a player does (its default button on each page), the installer is titled
#   with the version, shows the generator's pictures whole, and its finish page's ticked
#   "Start Trelvane" starts the game in its folder.
# Usage: package_test.sh <windows build>
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/check.sh"
on_own_screen "$@"
source "$here/screen.sh"
source "$here/wine/wine.sh" "$1"
test_folder wine_stop

version=$(sed -nE 's/^project\(Trelvane VERSION ([0-9.]+).*/\1/p' "$here/../CMakeLists.txt")
publisher=$(sed -nE 's/^set\(TRELVANE_PUBLISHER "(.*)"\)$/\1/p' "$here/../packaging/identity.cmake")
[ -n "$version" ] && [ -n "$publisher" ] || { echo "FAIL: no version or publisher in the sources"; exit 1; }

(cd "$windows_build" && cpack -G "ZIP;NSIS" -B "$work/packages" > "$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
zip="$work/packages/trelvane-$version-windows-x64.zip"
installer="$work/packages/trelvane-$version-windows-x64.exe"
[ -f "$zip" ] && [ -f "$installer" ] || { ls "$work/packages"; echo "FAIL: no zip or installer"; exit 1; }
echo "packages: zip $(stat -c %s "$zip") bytes, installer $(stat -c %s "$installer") bytes"

# The files of the game, as the Linux package has them, and the two texts.
expected=$( (cd "$windows_build/data" && ls *.jpg *.wav; echo trelvane.exe; echo LICENSE.txt; echo README.txt) | sort)
[ "$(echo "$expected" | grep -c '\.jpg$')" = 28 ] || fail "the data folder holds $(echo "$expected" | grep -c '\.jpg$') pictures"
folder="trelvane-$version-windows-x64"
got=$(unzip -Z1 "$zip" | grep -v '/$' | sed "s|^$folder/||" | sort)
[ "$got" = "$expected" ] && echo "ok: the zip holds $folder/ with the $(echo "$got" | wc -l) files" ||
    fail "the zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
unzip -q "$zip" "$folder/trelvane.exe" -d "$work/unzipped"
resource=$(strings -a -el "$work/unzipped/$folder/trelvane.exe" | tr '\n' '|')
for pair in "CompanyName|$publisher" "ProductVersion|$version" "FileVersion|$version" \
            "ProductName|Trelvane" "LegalCopyright|Copyright (c) 2026 $publisher. MIT licence."; do
    [[ "$resource" == *"|$pair|"* ]] && echo "ok: version resource: ${pair/|/ = }" || fail "version resource lacks ${pair/|/ = }"
done

# The program needs no DLL beyond Windows' own: the compiler's runtime is linked in, and
# XInput is xinput9_1_0.dll, which every Windows since Vista carries.
objdump=$(command -v x86_64-w64-mingw32-objdump || echo objdump)
dlls=$("$objdump" -p "$work/unzipped/$folder/trelvane.exe" | sed -n 's/^\s*DLL Name: //p' | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
foreign=$(echo "$dlls" | tr ' ' '\n' | grep -vxE 'KERNEL32.DLL|USER32.DLL|GDI32.DLL|ADVAPI32.DLL|MSVCRT.DLL|OPENGL32.DLL|GLU32.DLL|WINMM.DLL|XINPUT9_1_0.DLL|')
[ -n "$dlls" ] && [ -z "$foreign" ] && echo "ok: the program needs only Windows' own DLLs: $dlls" ||
    fail "the program needs DLLs a Windows machine lacks: ${foreign:-(none found)}"
subsystem=$("$objdump" -p "$work/unzipped/$folder/trelvane.exe" | sed -nE 's/^Subsystem\s+//p')
[[ "$subsystem" == *"(Windows GUI)" ]] && echo "ok: a GUI program, with no console of its own: $subsystem" ||
    fail "the program's subsystem is ${subsystem:-unknown}, not Windows GUI"

# Silent install into a folder of its own. (NSIS takes /D= unquoted, and Wine quotes
# an argument with a space: the folder has none.)
target="$work/Games/Trelvane"
"$wine64" "$installer" /S "/D=$(windows_path "$target")" > "$work/install.log" 2>&1 || fail "the installer failed"
installed=$(cd "$target" 2>/dev/null && ls | sort)
[ "$installed" = "$(printf '%s\nUninstall.exe' "$expected" | sort)" ] && echo "ok: installed the same files and Uninstall.exe" ||
    fail "installed: $(echo $installed)"
# The installer and the uninstaller wear the game's icon: each of its pictures, whole.
hex() { od -An -tx1 -v "$1" | tr -d ' \n'; }
before=$failures
for program in "$installer" "$target/Uninstall.exe"; do
    bytes=$(hex "$program")
    for size in 48 128 256; do
        [[ "$bytes" == *"$(hex "$windows_build/data/icons/trelvane-$size.png")"* ]] ||
            fail "$(basename "$program") lacks the game's $size-pixel icon"
    done
done
[ "$failures" = "$before" ] && echo "ok: the installer and the uninstaller carry the game's icon"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Trelvane"
[ -f "$menu/Trelvane.lnk" ] && echo "ok: a Start-menu shortcut" || fail "no Start-menu shortcut"
# The link's strings: the program's path, then the working folder (after the length
# of its text, which may read as one more character).
strings -a -el "$menu/Trelvane.lnk" |
    wanted="$(windows_path "$target")" awk '$0 == ENVIRON["wanted"] || substr($0, 2) == ENVIRON["wanted"] { found = 1 } END { exit !found }' &&
    echo "ok: the shortcut starts the game in $(windows_path "$target")" ||
    fail "the shortcut names no working folder $(windows_path "$target"): $(strings -a -el "$menu/Trelvane.lnk" | tr '\n' ' ')"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trelvane'
"$wine64" reg query "$uninstall_key" 2>/dev/null | tr -d '\r' > "$work/key"
for pair in "DisplayName Trelvane" "DisplayVersion $version" "Publisher $publisher"; do
    grep -qE "^ +${pair%% *} +REG_SZ +${pair#* }$" "$work/key" && echo "ok: list of programs: $pair" ||
        fail "the list of programs lacks $pair"
done
grep -q 'UninstallString .*Uninstall.exe' "$work/key" || fail "no uninstaller in the list of programs"

# The shortcut, as a player clicks it: the title picture shows only when the game
# reads its pictures from its folder.
prepare_title "$target"
"$wine64" start /wait 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Trelvane\Trelvane.lnk' > "$work/game.log" 2>&1 &
pid=$!
wait_until 120 showing_title && echo "ok: the shortcut starts the game: its title shows" || fail "no title from the shortcut"
# The named windows mapped on the screen itself: the game's alone, no console beside it.
windows=$(xdotool search --maxdepth 1 --onlyvisible --name . 2>/dev/null |
    while read -r window; do xdotool getwindowname "$window"; done)
[ "$windows" = Trelvane ] && echo "ok: the game's window is the only one on the screen" ||
    fail "windows on the screen: $(echo "$windows" | sed 's/.*/"&"/' | tr '\n' ' ')"
escape_ends "the game from the shortcut"
wine_stop

# Silent uninstall. The uninstaller runs on from a copy of itself, which ends once the
# folder and the Start-menu shortcut are both gone.
"$wine64" "$(windows_path "$target")\\Uninstall.exe" /S > "$work/uninstall.log" 2>&1 || fail "the uninstaller failed"
wait_until 60 eval '[ ! -e "$target" ] && [ ! -e "$menu" ]'
[ -e "$target" ] && fail "left behind: $(cd "$target" && ls | tr '\n' ' ')"
[ -e "$menu" ] && fail "the Start-menu folder is left"
[ -e "$target" ] || [ -e "$menu" ] || echo "ok: the uninstaller removed the folder and the shortcut"
timeout 60 "$wineserver" -w 2>/dev/null  # until the uninstaller's copy has ended
wine_stop
"$wine64" reg query "$uninstall_key" > /dev/null 2>&1 && fail "the list of programs still has Trelvane"
"$wine64" reg query "HKLM\\Software\\$publisher" > /dev/null 2>&1 && fail "the registry still has Software\\$publisher"
wine_stop

# Without /D= the game goes where 64-bit programs go, and leaves from there too.
default="$WINEPREFIX/drive_c/Program Files/Trelvane"
"$wine64" "$installer" /S > "$work/install.log" 2>&1 || fail "the installer failed"
[ -f "$default/trelvane.exe" ] && echo "ok: by default in C:\Program Files\Trelvane" ||
    fail "not installed in C:\Program Files\Trelvane by default"
"$wine64" 'C:\Program Files\Trelvane\Uninstall.exe' /S > "$work/uninstall.log" 2>&1
wait_until 60 eval '[ ! -e "$default" ]' ||
    fail "the uninstaller left C:\\Program Files\\Trelvane: $(cd "$default" && ls | tr '\n' ' ')"
wine_stop

# The installer as a player clicks through it, started from a folder without the
# game's pictures: welcome, licence, folder, Start-menu folder, then (once installed)
# the finish page, each left with a click on its default button (Next, I Agree,
# Install, Finish: 136 pixels left of the window's right edge, 21 above its bottom).
clicked="$work/Clicked/Trelvane"
setup="^Trelvane.* Setup\$"  # the installer's window, titled with the version or not
touch "$work/started"  # (named apart from Clicked: Windows ignores case)
(cd "$work" && exec "$wine64" "$installer" "/D=$(windows_path "$clicked")" > "$work/install.log" 2>&1) &
pid=$!
wait_until 60 xdotool search --onlyvisible --name "$setup" > /dev/null || fail "no installer window"
window=$(xdotool search --onlyvisible --name "$setup" 2>/dev/null | head -1)
title=$(xdotool getwindowname "$window" 2>/dev/null)
[ "$title" = "Trelvane $version Setup" ] && echo "ok: the installer is titled \"$title\"" ||
    fail "the installer is titled \"$title\", not \"Trelvane $version Setup\""
# While it runs it keeps its pages' pictures in a plug-ins folder of its own: the
# generator's, whole.
shown() {  # <picture the installer unpacks> <generated picture>
    local folder
    for folder in $(find "$WINEPREFIX/drive_c/users" -path '*/Temp/ns*' -type d -newer "$work/started" 2>/dev/null); do
        cmp -s "$folder/$1" "$windows_build/data/icons/$2" && return 0
    done
    return 1
}
wait_until 30 shown modern-wizard.bmp installer-welcome.bmp &&
    echo "ok: the welcome and finish pages show the generator's installer-welcome.bmp" ||
    fail "the welcome page's picture is not installer-welcome.bmp"
shown modern-header.bmp installer-header.bmp && echo "ok: the other pages' header shows the generator's installer-header.bmp" ||
    fail "the header's picture is not installer-header.bmp"
# Where the installer's window is: X, Y, WIDTH and HEIGHT.
geometry() {
    local shell
    shell=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=') && eval "$shell"
}
# page <name>: the top of the installer's window (each page's title, or the picture and
# title of the welcome and finish pages, clear of any blinking caret), once two looks
# half a second apart agree, in $work/<name>.png.
top() { geometry && shot "$work/screen.png" && crop "$work/screen.png" "$WIDTH" 55 "$X" "$Y" "$work/$1.png"; }
page() { top "$1" && sleep 0.5 && top again && less_than "$(rmse "$work/$1.png" "$work/again.png")" 0.001; }
click_default() {
    geometry && xdotool windowfocus --sync "$window" mousemove --sync $((X + WIDTH - 136)) $((Y + HEIGHT - 21)) click 1
}
# next <from> <to>: a click leaves the page <from> for another, <to>. (A click that
# reached no page in 10 s, as the first on a window may not, is made again.)
left_page() { page "$to" && less_than 0.01 "$(rmse "$work/$from.png" "$work/$to.png")"; }
next() {
    from=$1 to=$2
    local try
    for try in 1 2 3; do
        click_default
        wait_until 10 left_page && return
    done
    fail "the click did not leave the $from page"
}
# The finish page, once installed: the welcome page's picture at the top left again.
finish_page() {
    [ -f "$clicked/Uninstall.exe" ] && page finish &&
        crop "$work/welcome.png" 140 55 0 0 "$work/welcome_picture.png" &&
        crop "$work/finish.png" 140 55 0 0 "$work/finish_picture.png" &&
        less_than "$(rmse "$work/welcome_picture.png" "$work/finish_picture.png")" 0.01
}
wait_until 30 page welcome || fail "the welcome page does not settle"
next welcome licence
next licence folder
next folder menu
next menu installing
wait_until 120 finish_page || fail "no finish page after installing"
click_default
wait_until 30 eval '! kill -0 "$pid" 2>/dev/null' && wait "$pid" && echo "ok: Finish ends the installer with status 0" ||
    fail "the installer did not end well after Finish"
pid=""
if wait_until 120 showing_title; then
    echo "ok: the finish page's Start Trelvane starts the game in its folder: its title shows"
    xdotool key Escape
    wait_until 20 eval '! xdotool search --onlyvisible --name "^Trelvane\$" > /dev/null' &&
        echo "ok: Escape ends the game the installer started" || fail "Escape did not end the game the installer started"
else
    fail "no title after Finish with Start Trelvane ticked"
fi
wine_stop
"$wine64" "$(windows_path "$clicked")\\Uninstall.exe" /S > "$work/uninstall.log" 2>&1
wait_until 60 eval '[ ! -e "$clicked" ]' || fail "the uninstaller left $clicked"
timeout 60 "$wineserver" -w 2>/dev/null
wine_stop
[ "$failures" = 0 ] || { cat "$work/install.log" "$work/uninstall.log"; exit 1; }
echo "packages: the zip, the installer and the uninstaller as a Windows player uses them"
