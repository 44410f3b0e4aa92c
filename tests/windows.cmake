# The Windows build under Wine, on Xvfb screens of their own: what a Windows player
# meets. test.sh cross-builds it in build-windows/ and hands it over here; without it
# these tests are not defined. They take turns on the build's one Wine prefix.
set(TRELVANE_WINDOWS_BUILD "" CACHE PATH "A Windows build folder (cmake --preset windows) to test under Wine")
if(TRELVANE_WINDOWS_BUILD)
  # The Linux game the Windows one is compared with: the plain build when there is one.
  if(TRELVANE_PLAIN_BUILD)
    set(TRELVANE_LINUX_GAME ${TRELVANE_PLAIN_BUILD}/trelvane)
    set(TRELVANE_LINUX_DATA ${TRELVANE_PLAIN_BUILD}/data)
  else()
    set(TRELVANE_LINUX_GAME $<TARGET_FILE:trelvane>)
    set(TRELVANE_LINUX_DATA ${TRELVANE_DATA_DIR})
  endif()
  add_executable(bmp_samples ${CMAKE_CURRENT_LIST_DIR}/bmp_samples.cpp)
  target_link_libraries(bmp_samples PRIVATE JPEG::JPEG)
  add_executable(bmp_pixels ${CMAKE_CURRENT_LIST_DIR}/bmp_pixels.cpp)
  target_link_libraries(bmp_pixels PRIVATE trelvane_decoders)

  set(wine ${CMAKE_CURRENT_LIST_DIR}/wine)
  add_test(NAME windows_prefix COMMAND ${wine}/prefix.sh ${TRELVANE_WINDOWS_BUILD} boot)
  add_test(NAME windows_prefix_stop COMMAND ${wine}/prefix.sh ${TRELVANE_WINDOWS_BUILD} stop)
  add_test(NAME windows_start
    COMMAND ${wine}/start_test.sh ${TRELVANE_WINDOWS_BUILD} ${TRELVANE_LINUX_GAME}
            ${TRELVANE_LINUX_DATA})
  add_test(NAME windows_play COMMAND ${wine}/play_test.sh ${TRELVANE_WINDOWS_BUILD})
  add_test(NAME windows_sound COMMAND ${wine}/sound_test.sh ${TRELVANE_WINDOWS_BUILD})
  # The game's XInput backend, its read scripted by the test's own build of the game.
  add_test(NAME windows_pad COMMAND ${wine}/pad_test.sh ${TRELVANE_WINDOWS_BUILD})
  add_test(NAME windows_bmp
    COMMAND ${wine}/bmp_test.sh ${TRELVANE_WINDOWS_BUILD} $<TARGET_FILE:bmp_samples>
            $<TARGET_FILE:bmp_pixels>)
  # The hostile JPEG files of the Linux test, refused by the Windows game the same way.
  add_test(NAME windows_hostile_textures
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/texture_test.sh ${wine}/game.sh
            ${TRELVANE_WINDOWS_BUILD}/data $<TARGET_FILE:hostile_jpeg>)
  add_test(NAME windows_packages COMMAND ${wine}/package_test.sh ${TRELVANE_WINDOWS_BUILD})
  set(TRELVANE_WINE_TESTS windows_start windows_play windows_sound windows_pad windows_bmp
    windows_hostile_textures windows_packages)
  set_tests_properties(windows_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
  set_tests_properties(windows_prefix_stop PROPERTIES FIXTURES_CLEANUP wine TIMEOUT 60)
  set_tests_properties(${TRELVANE_WINE_TESTS} PROPERTIES FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_prefix TIMEOUT 300
    ENVIRONMENT "TRELVANE_WINDOWS_BUILD=${TRELVANE_WINDOWS_BUILD};ASAN_OPTIONS=detect_leaks=0")
  set_tests_properties(windows_prefix windows_prefix_stop PROPERTIES RESOURCE_LOCK wine_prefix)
  # Three installs, one of them clicked through page by page, and three uninstalls.
  set_tests_properties(windows_packages PROPERTIES TIMEOUT 600)
endif()
