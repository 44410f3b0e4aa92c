# What a Windows player downloads, from one install of a flat folder: trelvane.exe, the
# 28 pictures and the two sounds beside it, LICENSE.txt and README.txt.
#   cpack -G ZIP    a portable folder, zipped
#   cpack -G NSIS   an installer (Program Files\Trelvane, a Start-menu shortcut that
#                   starts the game in its folder, an uninstaller in the system's list
#                   of programs; /S silent, /D=<folder>), titled with the version and
#                   wearing the game's pictures, that can start the game when done
# Version, publisher and licence come from the project and packaging/identity.cmake,
# like the Debian package's.
install(TARGETS trelvane RUNTIME DESTINATION .)
install(DIRECTORY ${TRELVANE_DATA_DIR}/ DESTINATION .
  FILES_MATCHING PATTERN "*.jpg" PATTERN "*.wav" PATTERN "icons" EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
configure_file(${CMAKE_CURRENT_LIST_DIR}/README-windows.txt.in
  ${CMAKE_BINARY_DIR}/README.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME Trelvane)
set(CPACK_PACKAGE_VENDOR "${TRELVANE_PUBLISHER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${TRELVANE_SUMMARY}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TRELVANE_HOMEPAGE}")
set(CPACK_PACKAGE_FILE_NAME trelvane-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Trelvane)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Trelvane)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# (The zip unpacks into one folder of that name: the archive generators' default.)

# A 64-bit installer for the 64-bit game, into the 64-bit Program Files; and one that
# Wine without its 32-bit half runs too.
# "Trelvane 1.0.0 Setup" in the title bar, the version on the pages and along the bottom
# in place of NSIS's own build string (CPACK_NSIS_BRANDING_TEXT adds a /TRIM that
# makensis takes only on Windows); the list of programs keeps the plain name, beside its
# column of versions. Then the installer's own lines, in installer.nsh.
set(CPACK_NSIS_DEFINES "Target amd64-unicode
BrandingText 'Trelvane ${PROJECT_VERSION}'
!include '${CMAKE_CURRENT_LIST_DIR}/installer.nsh'")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "Trelvane ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME Trelvane)
set(CPACK_NSIS_URL_INFO_ABOUT "${TRELVANE_HOMEPAGE}")
set(CPACK_NSIS_CONTACT "${TRELVANE_CONTACT}")
set(CPACK_NSIS_INSTALLED_ICON_NAME trelvane.exe)
# The installer and the uninstaller wear the game's own icon, like the program.
set(CPACK_NSIS_MUI_ICON ${TRELVANE_DATA_DIR}/icons/trelvane.ico)
set(CPACK_NSIS_MUI_UNIICON ${TRELVANE_DATA_DIR}/icons/trelvane.ico)
# The game's pictures, made by the generator: the field and the gold name beside the
# welcome and finish pages, the icon's badge and the name in the header of the others.
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${TRELVANE_DATA_DIR}/icons/installer-welcome.bmp)
set(CPACK_NSIS_MUI_UNWELCOMEFINISHPAGE_BITMAP ${TRELVANE_DATA_DIR}/icons/installer-welcome.bmp)
set(CPACK_NSIS_MUI_HEADERIMAGE ${TRELVANE_DATA_DIR}/icons/installer-header.bmp)
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The game reads its pictures from the folder it starts in: the shortcut starts it
# in the installation folder.
# (Single quotes, and each backslash written four times: the text is read twice as
# CMake, here and in CPack's own configuration file, before it reaches the script.)
set(CPACK_NSIS_CREATE_ICONS_EXTRA
  "SetOutPath '$INSTDIR'\n  CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Trelvane.lnk' '$INSTDIR\\\\trelvane.exe'")
# The publisher's registry key goes too, once no other program of ours is under it.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
  "DeleteRegKey SHCTX 'Software\\\\${TRELVANE_PUBLISHER}\\\\Trelvane'\n  DeleteRegKey /ifempty SHCTX 'Software\\\\${TRELVANE_PUBLISHER}'")
# The uninstaller runs from a copy of itself, started by the one in the folder, which
# may not have ended yet when the copy gets there: while it runs, its file (and so the
# folder) cannot go. So the copy tries again for up to 5 s, while the folder is there.
# (This text comes twice in the uninstaller; relative jumps keep both copies whole.)
set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Trelvane.lnk'
  StrCpy $R9 0
  IfFileExists '$INSTDIR\\\\*.*' 0 +6
  Sleep 100
  Delete '$INSTDIR\\\\Uninstall.exe'
  RMDir '$INSTDIR'
  IntOp $R9 $R9 + 1
  IntCmp $R9 50 +1 -5 +1")
include(CPack)
