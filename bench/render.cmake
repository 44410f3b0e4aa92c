# Frame rate of the real renderer at full tables and the time to the first play frame.
# Not a test: run it by hand from the data folder under Xvfb (see the file's header).
add_executable(render_fps ${CMAKE_CURRENT_LIST_DIR}/render_fps.cpp)
target_link_libraries(render_fps PRIVATE trelvane_platform)
