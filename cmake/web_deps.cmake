# The browser build's libraries. The JPEG library comes from Debian's source package
# (debian_sources.cmake), built with Emscripten; OpenGL, GLU and GLUT are the game's
# own layer on WebGL 2 (web/gl/, the target trelvane_webgl), under the target names the
# Linux build gets from find_package.
set(TRELVANE_DEPS_FOR Browser)
include(${CMAKE_CURRENT_LIST_DIR}/debian_sources.cmake)
# Plain C (WebAssembly runs no x86 SIMD code); its configure checks run under node.
trelvane_jpeg_library(-DWITH_SIMD=0 -DTRELVANE_EM_CACHE=${TRELVANE_EM_CACHE})

foreach(target GLUT::GLUT OpenGL::GL OpenGL::GLU)
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_LINK_LIBRARIES trelvane_webgl)
endforeach()
