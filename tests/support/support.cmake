# Helpers shared by every test program: real windows, message pumping, the
# test container that sites the control.
add_library(quillon_test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TestWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GdiTally.cpp ${CMAKE_CURRENT_LIST_DIR}/ScreenCapture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RealPointer.cpp
)
target_link_libraries(quillon_test_support PUBLIC quillon_core quillon_png GTest::gtest)
# The container that hosts the control in tests, and its property bag.
target_sources(quillon_test_support PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PropertyBag.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestContainer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestContainerFactories.cpp
)
# Test programs embed the control's resources: rebuild them with the type library.
set_source_files_properties(${QUILLON_RESOURCE_SOURCES} PROPERTIES OBJECT_DEPENDS ${QUILLON_TYPELIB_FILE})

# The planted resource library of the resource-loading tests.
add_library(planted_res SHARED ${CMAKE_CURRENT_LIST_DIR}/planted/PlantedLibrary.cpp
                               ${CMAKE_CURRENT_LIST_DIR}/planted/PlantedLibrary.rc)
set_target_properties(planted_res PROPERTIES PREFIX "" OUTPUT_NAME PlantedRes
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/planted)
target_link_libraries(planted_res PRIVATE ${QUILLON_DLL_LINK})
