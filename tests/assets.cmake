# Assets: decoders on files the tests write, the generated data, the catalogue on a
# real GL context under Xvfb, and the decoder fuzzers.
add_executable(assets_decoders_test assets_decoders_test.cpp)
target_link_libraries(assets_decoders_test PRIVATE trelvane_decoders GTest::gtest_main)
gtest_discover_tests(assets_decoders_test)
