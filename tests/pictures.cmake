# The desktop's side of the picture comparison with the browser: one moment of the
# game held on screen (tests/web/ compares it with the same moment in Chromium).
add_executable(picture_moments ${CMAKE_CURRENT_LIST_DIR}/picture_moments.cpp)
target_link_libraries(picture_moments PRIVATE trelvane_platform)
add_dependencies(picture_moments trelvane_data)
