# Sound cues: the SDL2 backend played through SDL's disk audio driver.
add_executable(sound_test ${CMAKE_CURRENT_LIST_DIR}/sound_test.cpp
  ${CMAKE_SOURCE_DIR}/app/sound_sdl.cpp)
target_link_libraries(sound_test PRIVATE SDL2::SDL2 GTest::gtest_main)
gtest_discover_tests(sound_test)
