#!/usr/bin/env bash
# Boots the Windows build's Wine prefix before the Wine tests (boot), or ends every
# Windows process left in it after them (stop).
# Usage: prefix.sh <windows build> boot|stop
set -u
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/wine/wine.sh" "$1"
wine_stop
[ "$2" = boot ] && echo "Wine prefix ready: $WINEPREFIX ($("$wine64" --version 2>/dev/null))"
exit 0
