# Gamepads: the mapping of a pad's controls onto the game's keys, and the real game
# played with one of SDL's virtual game controllers under Xvfb.
add_executable(gamepad_test ${CMAKE_CURRENT_LIST_DIR}/gamepad_test.cpp)
target_link_libraries(gamepad_test PRIVATE trelvane_input GTest::gtest_main)
gtest_discover_tests(gamepad_test)

add_executable(virtual_pad_game ${CMAKE_CURRENT_LIST_DIR}/virtual_pad_game.cpp)
target_link_libraries(virtual_pad_game PRIVATE trelvane_platform)
add_test(NAME pad_play
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/pad_test.sh $<TARGET_FILE:virtual_pad_game> ${TRELVANE_DATA_DIR})
set_tests_properties(pad_play PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" TIMEOUT 180)
