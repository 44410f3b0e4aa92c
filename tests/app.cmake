# The real binary's console under Xvfb, with a preloaded OpenGL impostor for the
# failure paths.
add_library(fake_gl SHARED ${CMAKE_CURRENT_LIST_DIR}/fake_gl.c)
target_link_libraries(fake_gl PRIVATE OpenGL::GL ${CMAKE_DL_LIBS})
add_test(NAME console_start
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/console_test.sh $<TARGET_FILE:trelvane> $<TARGET_FILE:fake_gl>
  WORKING_DIRECTORY ${TRELVANE_DATA_DIR})
set_tests_properties(console_start PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0"
  TIMEOUT 120)
file(MAKE_DIRECTORY ${TRELVANE_DATA_DIR})
