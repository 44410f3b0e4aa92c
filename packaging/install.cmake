# Installs the game where a Linux game belongs: the program under libexec, a
# relocatable launcher that changes into the data folder, the pictures and sounds
# under share/trelvane, the desktop entry, icons and metainfo, the manual page, and
# the copyright and changelog. A prefix install puts the launcher in bin; the Debian
# package puts it in games (/usr/games), where Debian keeps game programs.
include(GNUInstallDirs)
include(${CMAKE_CURRENT_LIST_DIR}/identity.cmake)

set(TRELVANE_APP_ID org.trelvane.Trelvane)
set(TRELVANE_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/trelvane)
set(TRELVANE_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/trelvane)
set(TRELVANE_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/trelvane)
set(TRELVANE_GAMES_DIR games)

install(TARGETS trelvane RUNTIME DESTINATION ${TRELVANE_PROGRAM_DIR})

# A launcher for the folder <dir> under the prefix, in the install component
# <component>. It finds the data folder and the program relative to itself, so any
# prefix works.
function(trelvane_install_launcher dir component)
  file(RELATIVE_PATH BIN_TO_DATA /root/${dir} /root/${TRELVANE_INSTALL_DATA_DIR})
  file(RELATIVE_PATH BIN_TO_PROGRAM /root/${dir} /root/${TRELVANE_PROGRAM_DIR}/trelvane)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/trelvane.in
    ${CMAKE_BINARY_DIR}/launcher/${dir}/trelvane @ONLY)
  install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/${dir}/trelvane DESTINATION ${dir}
    COMPONENT ${component} ${ARGN})
endfunction()
# cmake --install installs the first; only the package (below) asks for the second.
trelvane_install_launcher(${CMAKE_INSTALL_BINDIR} launcher)
trelvane_install_launcher(${TRELVANE_GAMES_DIR} debian_launcher EXCLUDE_FROM_ALL)

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

# The manual page and the changelog go in compressed the way Debian wants them:
# gzip at its best compression, without a file name or time stamp inside.
find_program(TRELVANE_GZIP gzip REQUIRED)
set(TRELVANE_COMPRESSED_DIR ${CMAKE_BINARY_DIR}/compressed)
set(TRELVANE_COMPRESSED)
foreach(source trelvane.6 changelog)
  set(compressed ${TRELVANE_COMPRESSED_DIR}/${source}.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/${source}
            ${TRELVANE_COMPRESSED_DIR}/${source}
    COMMAND ${TRELVANE_GZIP} -9nf ${TRELVANE_COMPRESSED_DIR}/${source}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/${source}
    COMMENT "Compressing ${source}"
    VERBATIM)
  list(APPEND TRELVANE_COMPRESSED ${compressed})
endforeach()
add_custom_target(trelvane_compressed_docs ALL DEPENDS ${TRELVANE_COMPRESSED})
install(FILES ${TRELVANE_COMPRESSED_DIR}/trelvane.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${TRELVANE_COMPRESSED_DIR}/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/copyright
  DESTINATION ${TRELVANE_INSTALL_DOC_DIR})

# A Debian package from the same install: cpack -G DEB in the build folder. It holds
# the default component (every install rule above without a COMPONENT) and the games
# launcher, not the bin one; its program is stripped, while the build folder's keeps
# its debug information.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${TRELVANE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${TRELVANE_SUMMARY}")
set(CPACK_PACKAGE_DESCRIPTION
  "A single-player 3-D tank game. Drive your tank over a fog-bound, checkered
battlefield that wraps around at its edges, weave between 150 cone obstacles
and destroy every enemy tank: 10 on the first level, four more on each further
level, up to 50. Three lives; no last level.

A chase camera, particle explosions that light their surroundings, a field map
and a short-range radar. Played full screen with the keyboard or a gamepad.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_INSTALL_CMAKE_PROJECTS
  ${CMAKE_BINARY_DIR} ${PROJECT_NAME} Unspecified /
  ${CMAKE_BINARY_DIR} ${PROJECT_NAME} debian_launcher /)
include(CPack)
