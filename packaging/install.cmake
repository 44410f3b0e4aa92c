# Installs the game where a Linux game belongs: the program under libexec, a
# relocatable launcher in bin that changes into the data folder, the pictures and
# sounds under share/trelvane, and the desktop entry, icons and metainfo.
include(GNUInstallDirs)

set(TRELVANE_APP_ID org.trelvane.Trelvane)
set(TRELVANE_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/trelvane)
set(TRELVANE_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/trelvane)

install(TARGETS trelvane RUNTIME DESTINATION ${TRELVANE_PROGRAM_DIR})

# The launcher finds both folders relative to itself, so any prefix works.
file(RELATIVE_PATH BIN_TO_DATA /root/${CMAKE_INSTALL_BINDIR} /root/${TRELVANE_INSTALL_DATA_DIR})
file(RELATIVE_PATH BIN_TO_PROGRAM /root/${CMAKE_INSTALL_BINDIR} /root/${TRELVANE_PROGRAM_DIR}/trelvane)
configure_file(${CMAKE_CURRENT_LIST_DIR}/trelvane.in ${CMAKE_BINARY_DIR}/launcher/trelvane @ONLY)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/trelvane DESTINATION ${CMAKE_INSTALL_BINDIR})

install(DIRECTORY ${TRELVANE_DATA_DIR}/ DESTINATION ${TRELVANE_INSTALL_DATA_DIR}
  FILES_MATCHING PATTERN "*.jpg" PATTERN "*.wav" PATTERN "icons" EXCLUDE)
foreach(size 48 128 256)
  install(FILES ${TRELVANE_DATA_DIR}/icons/trelvane-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
    RENAME ${TRELVANE_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TRELVANE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TRELVANE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# A Debian package from the same install: cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Trelvane developers <developers@trelvane.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tank battle on a fog-bound, wrapping battlefield")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
