# Freeglut and the JPEG library for the Windows build, from Debian's source packages
# (debian_sources.cmake).
set(TRELVANE_DEPS_FOR Windows)
include(${CMAKE_CURRENT_LIST_DIR}/debian_sources.cmake)

trelvane_source_version(freeglut3-dev glut_version)
set(glut_stamp ${TRELVANE_DEPS_PREFIX}/freeglut-${glut_version}.built)
if(NOT EXISTS ${glut_stamp})
  trelvane_fetch_source(freeglut ${glut_version} glut_source)
  trelvane_build_dependency(freeglut ${glut_source} -DFREEGLUT_BUILD_SHARED_LIBS=OFF
    -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_REPLACE_GLUT=OFF)
  file(TOUCH ${glut_stamp})
endif()
# The 6b interface with its SIMD code (nasm).
trelvane_jpeg_library(-DREQUIRE_SIMD=ON)

# The same target names the Linux build gets from find_package. OpenGL, GLU and the
# rest of Windows come from MinGW's import libraries.
add_library(GLUT::GLUT STATIC IMPORTED)
set_target_properties(GLUT::GLUT PROPERTIES
  IMPORTED_LOCATION ${TRELVANE_DEPS_PREFIX}/lib/libfreeglut_static.a
  INTERFACE_INCLUDE_DIRECTORIES ${TRELVANE_DEPS_PREFIX}/include
  INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC
  INTERFACE_LINK_LIBRARIES "glu32;opengl32;gdi32;winmm")
add_library(OpenGL::GL INTERFACE IMPORTED)
set_target_properties(OpenGL::GL PROPERTIES INTERFACE_LINK_LIBRARIES opengl32)
add_library(OpenGL::GLU INTERFACE IMPORTED)
set_target_properties(OpenGL::GLU PROPERTIES INTERFACE_LINK_LIBRARIES glu32)
