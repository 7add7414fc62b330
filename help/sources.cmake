list(APPEND QUILLON_CONTROL_SOURCES
  ${CMAKE_SOURCE_DIR}/help/DefaultTables.cpp
  ${CMAKE_SOURCE_DIR}/help/MenuHelp.cpp
  ${CMAKE_SOURCE_DIR}/help/StatusBar.cpp
  ${CMAKE_SOURCE_DIR}/help/Tooltip.cpp)
