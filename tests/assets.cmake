# Assets: decoders on files the tests write, the generated data, the catalogue on a
# real GL context under Xvfb, and the decoder fuzzers.
add_executable(assets_decoders_test assets_decoders_test.cpp)
target_link_libraries(assets_decoders_test PRIVATE trelvane_decoders GTest::gtest_main)
gtest_discover_tests(assets_decoders_test)

# A real GL context on its own Xvfb screen. Mesa keeps memory to the end, so leak
# checking is off for this one.
add_executable(assets_catalogue_test assets_catalogue_test.cpp)
target_link_libraries(assets_catalogue_test PRIVATE trelvane_assets GLUT::GLUT GTest::gtest)
target_compile_definitions(assets_catalogue_test PRIVATE
  TRELVANE_DATA_DIR="${TRELVANE_DATA_DIR}")
add_dependencies(assets_catalogue_test trelvane_data)
add_test(NAME assets_catalogue COMMAND ${TRELVANE_XVFB} $<TARGET_FILE:assets_catalogue_test>)
set_tests_properties(assets_catalogue PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0;LSAN_OPTIONS=detect_leaks=0")

# The generator's writers and the data it made for this build.
find_package(ZLIB REQUIRED)
add_executable(assets_generator_test assets_generator_test.cpp)
target_link_libraries(assets_generator_test PRIVATE trelvane_assetgen trelvane_decoders ZLIB::ZLIB
  GTest::gtest_main)
target_compile_definitions(assets_generator_test PRIVATE TRELVANE_DATA_DIR="${TRELVANE_DATA_DIR}"
  TRELVANE_FONT_BOLD="${TRELVANE_FONT_BOLD}" TRELVANE_FONT_REGULAR="${TRELVANE_FONT_REGULAR}")
add_dependencies(assets_generator_test trelvane_data)
gtest_discover_tests(assets_generator_test)

# The TGA and BMP decoders under libFuzzer with ASan and UBSan, a fixed number of
# inputs each. Built by the script with clang++ itself; skipped when clang++ is absent.
add_test(NAME assets_fuzz
  COMMAND bash ${CMAKE_SOURCE_DIR}/fuzz/run.sh ${CMAKE_BINARY_DIR}/fuzz 100000)
set_tests_properties(assets_fuzz PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)

# Writes the hostile JPEG files of the texture tests.
add_executable(hostile_jpeg hostile_jpeg.cpp)
target_link_libraries(hostile_jpeg PRIVATE JPEG::JPEG)
# The real game with hostile files in place of its textures, in a copied data folder.
add_test(NAME hostile_textures
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/texture_test.sh $<TARGET_FILE:trelvane> ${TRELVANE_DATA_DIR}
          $<TARGET_FILE:hostile_jpeg>)
set_tests_properties(hostile_textures PROPERTIES
  ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0" TIMEOUT 120)
