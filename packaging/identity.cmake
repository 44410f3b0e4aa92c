# Who makes the game and under which licence: one place for the Debian package, the
# Windows program's version resource and the Windows installer and zip.
set(TRELVANE_PUBLISHER "The Trelvane developers")
set(TRELVANE_CONTACT "${TRELVANE_PUBLISHER} <developers@trelvane.org>")
set(TRELVANE_HOMEPAGE "https://trelvane.org/")
set(TRELVANE_LICENCE "MIT")
set(TRELVANE_COPYRIGHT "Copyright (c) 2026 ${TRELVANE_PUBLISHER}")
set(TRELVANE_SUMMARY "Tank battle on a fog-bound, wrapping battlefield")
