# One JPEG decode, timed; run it under /usr/bin/time -v for the peak memory.
add_executable(jpeg_decode ${CMAKE_CURRENT_LIST_DIR}/jpeg_decode.cpp)
target_link_libraries(jpeg_decode PRIVATE trelvane_decoders)
