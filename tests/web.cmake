# The browser build in headless Chromium, through its real page served on 127.0.0.1:
# what a player at a browser meets. test.sh builds it in build-web/ (and installs the
# browser driver in tests/web/) and hands it over here; without it these tests are not
# defined. They take turns on the machine's cores, one browser at a time.
set(TRELVANE_WEB_BUILD "" CACHE PATH "A browser build folder (cmake --preset web) to test in headless Chromium")
if(TRELVANE_WEB_BUILD)
  set(web ${CMAKE_CURRENT_LIST_DIR}/web)
  add_test(NAME web_start COMMAND node ${web}/start_test.js ${TRELVANE_WEB_BUILD})
  add_test(NAME web_play COMMAND node ${web}/play_test.js ${TRELVANE_WEB_BUILD})
  # The zip a web host gets, unpacked under a sub-path: loading, play, and the page's
  # words when something goes wrong.
  add_test(NAME web_site COMMAND node ${web}/site_test.js ${TRELVANE_WEB_BUILD})
  # The hostile JPEG files of the Linux test, and a shoot.wav that is no sound, packed
  # into the browser's data.
  add_test(NAME web_hostile_textures
    COMMAND node ${web}/texture_test.js ${TRELVANE_WEB_BUILD} $<TARGET_FILE:hostile_jpeg>)
  # The same moments drawn by the desktop (under Xvfb) and by the browser.
  add_test(NAME web_pictures
    COMMAND node ${web}/picture_test.js ${TRELVANE_WEB_BUILD}/programs
            $<TARGET_FILE:picture_moments> ${TRELVANE_DATA_DIR})
  set_tests_properties(web_start web_play web_site web_hostile_textures web_pictures PROPERTIES
    RESOURCE_LOCK browser TIMEOUT 180 ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0")
endif()
