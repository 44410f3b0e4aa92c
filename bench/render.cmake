# Frame rate of the real renderer at full tables and the time to the first play frame.
# Not a test: run it by hand from the data folder under Xvfb (see the file's header).
if(WIN32)
  set(TRELVANE_PROCESS_CLOCK ${CMAKE_CURRENT_LIST_DIR}/process_clock_win32.cpp)
elseif(EMSCRIPTEN)
  set(TRELVANE_PROCESS_CLOCK ${CMAKE_CURRENT_LIST_DIR}/process_clock_web.cpp)
else()
  set(TRELVANE_PROCESS_CLOCK ${CMAKE_CURRENT_LIST_DIR}/process_clock.cpp)
endif()
add_executable(render_fps ${CMAKE_CURRENT_LIST_DIR}/render_fps.cpp ${TRELVANE_PROCESS_CLOCK})
target_link_libraries(render_fps PRIVATE trelvane_platform)
if(EMSCRIPTEN)
  # A page of programs/: programs/?program=render_fps&arg=1000
  trelvane_page_program(render_fps ${TRELVANE_PROGRAMS_DIR})
  add_dependencies(render_fps trelvane_program_data)
endif()
