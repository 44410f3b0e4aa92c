# What the Wine tests share. Sourced after `here` is set to the tests folder, with the
# Windows build folder as the argument:
#   source "$here/wine/wine.sh" <windows build folder>
# Gives the build's own Wine prefix (<build>/wine-prefix, booted on first use, never
# in the home folder), `wine64` and `wineserver` for it, and wine_stop, which ends
# every Windows process of that prefix (the tests take turns on it).
windows_build=$(cd "$1" && pwd)
export WINEPREFIX="$windows_build/wine-prefix"
export WINEARCH=win64
# No .NET or HTML engine to install, and Wine's own messages only where a test asks.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG="${WINEDEBUG:--all}"
wine64=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

wine_stop() { "$wineserver" -k 2>/dev/null; "$wineserver" -w 2>/dev/null; true; }

# wine_console <name>: the lines of $work/<name>.out, with the carriage returns of
# Windows' text mode taken off.
wine_console() { tr -d '\r' < "$work/$1.out"; }

# A Windows path for a path of this machine (Wine maps / to drive Z:).
windows_path() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "booting the Wine prefix $WINEPREFIX"
    timeout 300 "$wine64" wineboot -i > /dev/null 2>&1 || { echo "FAIL: wineboot"; exit 1; }
    wine_stop
fi
# The test screens have no window manager, which would hand a window the keyboard
# (WM_TAKE_FOCUS) before Wine lets it have it: Wine takes the X focus as it comes.
if [ ! -f "$WINEPREFIX/.no-window-manager" ]; then
    "$wine64" reg add 'HKCU\Software\Wine\X11 Driver' /v UseTakeFocus /d N /f > /dev/null 2>&1 &&
        touch "$WINEPREFIX/.no-window-manager"
    wine_stop
fi
