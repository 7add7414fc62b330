list(APPEND QUILLON_CONTROL_SOURCES
  ${CMAKE_SOURCE_DIR}/menu/MenuItem.cpp
  ${CMAKE_SOURCE_DIR}/menu/ItemCollection.cpp
  ${CMAKE_SOURCE_DIR}/menu/ItemSerialBlock.cpp
  ${CMAKE_SOURCE_DIR}/menu/CleanCaption.cpp
  ${CMAKE_SOURCE_DIR}/menu/MenuFonts.cpp
  ${CMAKE_SOURCE_DIR}/menu/MenuScan.cpp
  ${CMAKE_SOURCE_DIR}/menu/MenuMeasure.cpp
  ${CMAKE_SOURCE_DIR}/menu/TextMeasurer.cpp
  ${CMAKE_SOURCE_DIR}/menu/SystemMenuMetrics.cpp)
