# Installing the game for one user, and building its Debian package. Both use a plain
# build: a sanitized build hands them TRELVANE_PLAIN_BUILD when it has one, since
# what users install and packagers ship is the program without sanitizers.
if(TRELVANE_SANITIZE AND TRELVANE_PLAIN_BUILD)
  set(TRELVANE_INSTALLED_BUILD ${TRELVANE_PLAIN_BUILD})
else()
  set(TRELVANE_INSTALLED_BUILD ${CMAKE_BINARY_DIR})
endif()
add_test(NAME install_prefix
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${TRELVANE_INSTALLED_BUILD})
add_test(NAME debian_package
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/package_test.sh ${TRELVANE_INSTALLED_BUILD})
set_tests_properties(install_prefix debian_package PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" TIMEOUT 300 RUN_SERIAL TRUE)
