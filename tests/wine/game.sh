#!/usr/bin/env bash
# The Windows game under Wine in place of the Linux program, for the Linux test scripts
# that start "the game" in a data folder: runs trelvane.exe of $TRELVANE_WINDOWS_BUILD
# in the current folder, with its console lines as a Linux program ends them (without
# the carriage returns of Windows' text mode), ends what it left in the prefix, and
# exits with its status.
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/wine/wine.sh" "$TRELVANE_WINDOWS_BUILD" > /dev/null
{ "$wine64" "$windows_build/trelvane.exe" "$@" 2> >(sed -u 's/\r$//' >&2); } | sed -u 's/\r$//'
status=${PIPESTATUS[0]}
wait
wine_stop
exit "$status"
