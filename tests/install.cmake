# Installing the game and building its Debian package.
add_test(NAME install_and_package
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_BINARY_DIR})
set_tests_properties(install_and_package PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" TIMEOUT 300 RUN_SERIAL TRUE)
