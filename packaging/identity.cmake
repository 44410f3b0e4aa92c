# Who makes the game and under which licence: one place for the Debian package, the
# Windows program's version resource, the Windows installer and zip, and the browser's
# page and zip. The version is the project's (CMakeLists.txt).
set(TRELVANE_NAME "Trelvane")
set(TRELVANE_SHORT_NAME "Trelvane")  # under an installed page's icon
set(TRELVANE_PUBLISHER "The Trelvane developers")
set(TRELVANE_CONTACT "${TRELVANE_PUBLISHER} <developers@trelvane.org>")
set(TRELVANE_HOMEPAGE "https://trelvane.org/")
set(TRELVANE_LICENCE "MIT")
set(TRELVANE_COPYRIGHT "Copyright (c) 2026 ${TRELVANE_PUBLISHER}")
set(TRELVANE_SUMMARY "Tank battle on a fog-bound, wrapping battlefield")
