# Frames rendered by Mesa under Xvfb and read back pixel by pixel.
add_executable(render_test ${CMAKE_CURRENT_LIST_DIR}/render_test.cpp)
target_link_libraries(render_test PRIVATE trelvane_platform GTest::gtest)
# The one picture of the game's it draws with: the sky the radar is read against.
target_compile_definitions(render_test PRIVATE TRELVANE_DATA_DIR="${TRELVANE_DATA_DIR}")
add_dependencies(render_test trelvane_data)
set(TRELVANE_RENDER_TEST_DIR ${CMAKE_CURRENT_BINARY_DIR}/render_test_run)
file(MAKE_DIRECTORY ${TRELVANE_RENDER_TEST_DIR})
# Run in an empty folder: the test makes its own textures and must not find the game's;
# it loads the sky by its full path.
add_test(NAME render_frames
  COMMAND ${TRELVANE_XVFB} $<TARGET_FILE:render_test>
  WORKING_DIRECTORY ${TRELVANE_RENDER_TEST_DIR})
set_tests_properties(render_frames PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" TIMEOUT 300)
