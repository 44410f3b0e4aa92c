# The Windows build's pictures and sounds: the generator in tools/ built for this
# machine (in host/), then its data folder copied beside trelvane.exe.
include(ExternalProject)
ExternalProject_Add(trelvane_host_tools
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/host
  CMAKE_ARGS -DTRELVANE_TOOLS_ONLY=ON -DCMAKE_BUILD_TYPE=Release
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  USES_TERMINAL_BUILD ON)
add_custom_target(trelvane_data ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_BINARY_DIR}/host/data ${TRELVANE_DATA_DIR}
  DEPENDS trelvane_host_tools
  COMMENT "Copying the game's pictures and sounds beside trelvane.exe"
  VERBATIM)
add_dependencies(trelvane trelvane_data)
