# The game's rules: level, input, frame, combat, enemies, explosions, soak and replay.
add_executable(game_test
  ${CMAKE_CURRENT_LIST_DIR}/game_level_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_input_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_combat_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_enemy_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_explosion_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/game_soak_test.cpp
)
target_link_libraries(game_test PRIVATE trelvane_input GTest::gtest_main)
gtest_discover_tests(game_test)
