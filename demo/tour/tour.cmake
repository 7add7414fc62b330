# The screenshot tour of DemoHost (DemoHost.exe --tour <folder>); included
# from demo/CMakeLists.txt after the DemoHost target.
target_sources(DemoHost PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Tour.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TourScript.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TourWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TourShot.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TourReport.cpp)
target_link_libraries(DemoHost PRIVATE quillon_png)
