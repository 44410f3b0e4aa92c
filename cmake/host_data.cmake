# The pictures and sounds of a cross-build: the generator in tools/ built for this
# machine (in host/), which writes them to host/data (TRELVANE_HOST_DATA_DIR).
include(ExternalProject)
ExternalProject_Add(trelvane_host_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/host
  CMAKE_ARGS -DTRELVANE_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)
set(TRELVANE_HOST_DATA_DIR ${CMAKE_BINARY_DIR}/host/data)
