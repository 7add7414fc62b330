list(APPEND QUILLON_CONTROL_SOURCES
  ${CMAKE_SOURCE_DIR}/menu/MenuScan.cpp
  ${CMAKE_SOURCE_DIR}/menu/MenuMeasure.cpp)
