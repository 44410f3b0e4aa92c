# What a web host takes: the site in one zip, index.html at its root beside the page's
# script and style, its manifest, icons and service worker, the game, its data and
# loader, and LICENSE.txt.
#   cd build-web && cpack -G ZIP    makes trelvane-<version>-web.zip
# Version, name and licence come from the project and packaging/identity.cmake, like
# the Debian and Windows packages'.
list(TRANSFORM TRELVANE_SITE_FILES PREPEND ${TRELVANE_SITE_DIR}/ OUTPUT_VARIABLE site_files)
install(FILES ${site_files} DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${TRELVANE_NAME})
set(CPACK_PACKAGE_VENDOR "${TRELVANE_PUBLISHER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${TRELVANE_SUMMARY}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${TRELVANE_HOMEPAGE}")
set(CPACK_PACKAGE_FILE_NAME trelvane-${PROJECT_VERSION}-web)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
# The files at the zip's root, where a host or a game portal looks for index.html.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
