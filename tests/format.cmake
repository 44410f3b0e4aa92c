# The sources follow the project's clang-format style.
find_program(CLANG_FORMAT NAMES clang-format clang-format-14)
if(CLANG_FORMAT)
  add_test(NAME source_format
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/format_check.sh ${CLANG_FORMAT}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endif()
