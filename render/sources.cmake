list(APPEND QUILLON_CONTROL_SOURCES
  ${CMAKE_SOURCE_DIR}/render/BackgroundTiles.cpp
  ${CMAKE_SOURCE_DIR}/render/BandPainter.cpp
  ${CMAKE_SOURCE_DIR}/render/BarItem.cpp
  ${CMAKE_SOURCE_DIR}/render/Colors.cpp
  ${CMAKE_SOURCE_DIR}/render/ColorUtils.cpp
  ${CMAKE_SOURCE_DIR}/render/Highlight.cpp
  ${CMAKE_SOURCE_DIR}/render/HotTracking.cpp
  ${CMAKE_SOURCE_DIR}/render/ItemDrawing.cpp
  ${CMAKE_SOURCE_DIR}/render/ItemFontSelection.cpp
  ${CMAKE_SOURCE_DIR}/render/ItemText.cpp
  ${CMAKE_SOURCE_DIR}/render/MakePicture.cpp
  ${CMAKE_SOURCE_DIR}/render/PictureDrawing.cpp
  ${CMAKE_SOURCE_DIR}/render/PictureMetrics.cpp
  ${CMAKE_SOURCE_DIR}/render/PopupFrame.cpp
  ${CMAKE_SOURCE_DIR}/render/PopupItem.cpp
  ${CMAKE_SOURCE_DIR}/render/Shadows.cpp
  ${CMAKE_SOURCE_DIR}/render/TrueColorPixels.cpp)
