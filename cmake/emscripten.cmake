# Builds for the browser with Debian's Emscripten (emcc 3.1.6) and its CMake toolchain.
# The compiler gets a cache of its own in the build folder (a copy of the package's
# prebuilt system libraries, which holds all the game needs) and Debian's node modules (acorn), which this
# machine's node does not look in; both reach every compile and link, also of a plain
# `cmake --build`, through the launchers. Programs CMake runs while configuring (the
# JPEG library's type-size checks) run under node without its experimental fetch, which
# Emscripten's output does not expect.
set(TRELVANE_EMSCRIPTEN_ROOT /usr/share/emscripten)
if(NOT TRELVANE_EM_CACHE)
  set(TRELVANE_EM_CACHE ${CMAKE_BINARY_DIR}/emscripten-cache)
endif()
# Configure checks build in folders of their own: they use the same cache.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRELVANE_EM_CACHE)
if(NOT EXISTS ${TRELVANE_EM_CACHE}/sysroot_install.stamp)
  message(STATUS "Emscripten: copying the compiler's cache into ${TRELVANE_EM_CACHE}")
  file(MAKE_DIRECTORY ${TRELVANE_EM_CACHE})
  execute_process(COMMAND cp -a ${TRELVANE_EMSCRIPTEN_ROOT}/cache/. ${TRELVANE_EM_CACHE}/
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not copy Emscripten's cache into ${TRELVANE_EM_CACHE}")
  endif()
endif()

set(TRELVANE_EM_ENVIRONMENT EM_CACHE=${TRELVANE_EM_CACHE} NODE_PATH=/usr/share/nodejs)
foreach(variable ${TRELVANE_EM_ENVIRONMENT})
  string(REGEX MATCH "^[^=]+" name ${variable})
  string(REGEX REPLACE "^[^=]+=" "" value ${variable})
  set(ENV{${name}} "${value}")
endforeach()
foreach(lang C CXX)
  set(CMAKE_${lang}_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env ${TRELVANE_EM_ENVIRONMENT})
  set(CMAKE_${lang}_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env ${TRELVANE_EM_ENVIRONMENT})
endforeach()

set(TRELVANE_NODE /usr/bin/node --no-experimental-fetch)
set(CMAKE_CROSSCOMPILING_EMULATOR ${TRELVANE_NODE})
include(${TRELVANE_EMSCRIPTEN_ROOT}/cmake/Modules/Platform/Emscripten.cmake)
