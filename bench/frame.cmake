# The frame update at full tables against the pair-by-pair reference.
add_executable(frame_bench ${CMAKE_CURRENT_LIST_DIR}/frame_bench.cpp)
target_compile_options(frame_bench PRIVATE -O2)
target_link_libraries(frame_bench PRIVATE trelvane_game benchmark::benchmark)
if(EMSCRIPTEN)
  # Run under node: node --no-experimental-fetch build-web/bench/frame_bench.js
  target_link_options(frame_bench PRIVATE -sENVIRONMENT=node -sALLOW_MEMORY_GROWTH=1)
  set_target_properties(frame_bench PROPERTIES SUFFIX .js)
endif()
