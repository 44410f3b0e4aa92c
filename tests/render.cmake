# Frames rendered by Mesa under Xvfb and read back pixel by pixel.
add_executable(render_test ${CMAKE_CURRENT_LIST_DIR}/render_test.cpp)
target_link_libraries(render_test PRIVATE trelvane_platform GTest::gtest)
set(TRELVANE_RENDER_TEST_DIR ${CMAKE_CURRENT_BINARY_DIR}/render_test_run)
file(MAKE_DIRECTORY ${TRELVANE_RENDER_TEST_DIR})
# Run in an empty folder: the test makes its own textures and must not find the game's.
add_test(NAME render_frames
  COMMAND ${TRELVANE_XVFB} $<TARGET_FILE:render_test>
  WORKING_DIRECTORY ${TRELVANE_RENDER_TEST_DIR})
set_tests_properties(render_frames PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" TIMEOUT 300)
