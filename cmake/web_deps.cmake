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

# Google Benchmark for the frame update's benchmark under node, when the benchmarks are
# built: Debian's source of this machine's version, built once like the JPEG library.
if(TRELVANE_BENCH)
  trelvane_source_version(libbenchmark-dev benchmark_version)
  set(benchmark_stamp ${TRELVANE_DEPS_PREFIX}/benchmark-${benchmark_version}.built)
  if(NOT EXISTS ${benchmark_stamp})
    trelvane_fetch_source(benchmark ${benchmark_version} benchmark_source)
    trelvane_build_dependency(benchmark ${benchmark_source} -DBENCHMARK_ENABLE_TESTING=OFF
      -DBENCHMARK_ENABLE_GTEST_TESTS=OFF -DBENCHMARK_ENABLE_WERROR=OFF -DGIT_VERSION=0.0.0
      -DTRELVANE_EM_CACHE=${TRELVANE_EM_CACHE})
    file(TOUCH ${benchmark_stamp})
  endif()
  add_library(benchmark::benchmark STATIC IMPORTED)
  set_target_properties(benchmark::benchmark PROPERTIES
    IMPORTED_LOCATION ${TRELVANE_DEPS_PREFIX}/lib/libbenchmark.a
    INTERFACE_INCLUDE_DIRECTORIES ${TRELVANE_DEPS_PREFIX}/include)
endif()
