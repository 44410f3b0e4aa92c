# The Windows build's pictures and sounds (host_data.cmake), copied beside trelvane.exe.
include(${CMAKE_CURRENT_LIST_DIR}/host_data.cmake)
add_custom_target(trelvane_data ALL
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${TRELVANE_HOST_DATA_DIR} ${TRELVANE_DATA_DIR}
  DEPENDS trelvane_host_tools
  COMMENT "Copying the game's pictures and sounds beside trelvane.exe"
  VERBATIM)
add_dependencies(trelvane trelvane_data)
