# The browser GL layer's GLU built for this machine, its WebGL calls recorded by the
# test: the mipmaps of the game's pictures, under the sanitizers.
add_executable(web_glu_test web_glu_test.cpp ${CMAKE_SOURCE_DIR}/web/gl/glu.cpp)
target_include_directories(web_glu_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/web_layer_stubs)
target_link_libraries(web_glu_test PRIVATE OpenGL::GL GTest::gtest_main)
gtest_discover_tests(web_glu_test)
