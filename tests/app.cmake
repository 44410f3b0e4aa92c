# The real binary's console under Xvfb, with a preloaded OpenGL impostor for the
# failure paths.
add_library(fake_gl SHARED ${CMAKE_CURRENT_LIST_DIR}/fake_gl.c)
target_link_libraries(fake_gl PRIVATE OpenGL::GL ${CMAKE_DL_LIBS})
# A desktop that offers the game mode and refuses it, and a clock that has run for weeks.
add_library(fake_glut SHARED ${CMAKE_CURRENT_LIST_DIR}/fake_glut.c)
target_link_libraries(fake_glut PRIVATE ${CMAKE_DL_LIBS})
add_test(NAME console_start
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/console_test.sh $<TARGET_FILE:trelvane> $<TARGET_FILE:fake_gl>
          $<TARGET_FILE:fake_glut>
  WORKING_DIRECTORY ${TRELVANE_DATA_DIR})
set_tests_properties(console_start PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0"
  TIMEOUT 120)
file(MAKE_DIRECTORY ${TRELVANE_DATA_DIR})

# The whole game played through the X server with real key presses and holds.
add_library(fake_time SHARED ${CMAKE_CURRENT_LIST_DIR}/fake_time.c)
add_test(NAME play_end_to_end
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/play_test.sh $<TARGET_FILE:trelvane> ${TRELVANE_DATA_DIR}
          $<TARGET_FILE:fake_time>)
set_tests_properties(play_end_to_end PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" TIMEOUT 300)

# The game on a GLUT clock that has run for weeks.
add_test(NAME play_after_weeks
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/clock_test.sh $<TARGET_FILE:trelvane> ${TRELVANE_DATA_DIR}
          $<TARGET_FILE:fake_glut>)
set_tests_properties(play_after_weeks PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0:verify_asan_link_order=0" TIMEOUT 300)

# The game on a player's desktop: signals after a sound, keys let go in another window,
# taps between slow frames.
add_test(NAME desktop_signals_focus_taps
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/desktop_test.sh $<TARGET_FILE:trelvane> ${TRELVANE_DATA_DIR}
          $<TARGET_FILE:fake_glut>)
set_tests_properties(desktop_signals_focus_taps PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" TIMEOUT 300)
