# memcheck on the real game from start-up into play. Valgrind cannot run a sanitized
# program, so a sanitized build points TRELVANE_PLAIN_BUILD at a plain build of the
# same sources (test.sh makes one).
find_program(VALGRIND valgrind)
if(VALGRIND)
  if(NOT TRELVANE_SANITIZE)
    add_test(NAME valgrind_play
      COMMAND ${CMAKE_CURRENT_LIST_DIR}/valgrind_test.sh $<TARGET_FILE:trelvane> ${TRELVANE_DATA_DIR})
  elseif(TRELVANE_PLAIN_BUILD)
    add_test(NAME valgrind_play
      COMMAND ${CMAKE_CURRENT_LIST_DIR}/valgrind_test.sh ${TRELVANE_PLAIN_BUILD}/trelvane
              ${TRELVANE_PLAIN_BUILD}/data)
  endif()
  if(TEST valgrind_play)
    set_tests_properties(valgrind_play PROPERTIES TIMEOUT 600)
  endif()
endif()
