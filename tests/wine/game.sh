#!/usr/bin/env bash
# The Windows game under Wine in place of the Linux program, for the Linux test scripts
# that start "the game" in a data folder: runs trelvane.exe of $TRELVANE_WINDOWS_BUILD
# in the current folder, ends what it left in the prefix, and exits with its status.
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/wine/wine.sh" "$TRELVANE_WINDOWS_BUILD" > /dev/null
"$wine64" "$windows_build/trelvane.exe" "$@"
status=$?
wine_stop
exit $status
