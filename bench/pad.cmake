# One frame's pad read on Linux: SDL's events pumped, the controllers read and mapped.
add_executable(pad_bench ${CMAKE_CURRENT_LIST_DIR}/pad_bench.cpp)
target_compile_options(pad_bench PRIVATE -O2)
target_link_libraries(pad_bench PRIVATE trelvane_platform benchmark::benchmark)
