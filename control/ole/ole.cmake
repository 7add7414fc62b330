# OLE plumbing of the control: the server module, the OLE control base, the
# type library (written at build time by tools/mktypelib) and the resources.
set(QUILLON_OLE_DIR ${CMAKE_CURRENT_LIST_DIR})

set(QUILLON_OLE_SOURCES
  ${QUILLON_OLE_DIR}/ClassFactory.cpp
  ${QUILLON_OLE_DIR}/ConnectionPoint.cpp
  ${QUILLON_OLE_DIR}/MemoryPropertyBag.cpp
  ${QUILLON_OLE_DIR}/Module.cpp
  ${QUILLON_OLE_DIR}/OleControl.cpp
  ${QUILLON_OLE_DIR}/OleObject.cpp
  ${QUILLON_OLE_DIR}/Persistence.cpp
  ${QUILLON_OLE_DIR}/Registration.cpp
  ${QUILLON_OLE_DIR}/StreamFormat.cpp
  ${QUILLON_OLE_DIR}/TypeInfoDispatch.cpp
  ${QUILLON_OLE_DIR}/TypeLibrary.cpp
  ${QUILLON_OLE_DIR}/ViewObject.cpp
)

# --- the type library ------------------------------------------------------
# mktypelib runs for the target platform: through the emulator (Wine, which
# takes its prefix and display from the environment `quill` sets, else a
# prefix in the build tree) when cross-compiling.
set(QUILLON_TYPELIB_DIR ${CMAKE_BINARY_DIR}/typelib)
set(QUILLON_TYPELIB_FILE ${QUILLON_TYPELIB_DIR}/QuillonLib.tlb)
file(MAKE_DIRECTORY ${QUILLON_TYPELIB_DIR})
quillon_tool(quillon_mktypelib mktypelib tools/mktypelib.exe)
add_custom_command(
  OUTPUT ${QUILLON_TYPELIB_FILE}
  COMMAND ${quillon_mktypelib} typelib/QuillonLib.tlb ${QUILLON_PLATFORM}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS mktypelib
  COMMENT "Writing the QuillonLib type library"
  VERBATIM)
add_custom_target(quillon_typelib DEPENDS ${QUILLON_TYPELIB_FILE})

# --- resources -------------------------------------------------------------
include(${QUILLON_OLE_DIR}/BitmapArt.cmake)
set(QUILLON_ART
  "................"
  ".kkkkkkkkkkkkkk."
  ".kwwwwwwwwwwwwk."
  ".kkkkkkkkkkkkkk."
  ".kwwwwwwwwwwwgk."
  ".kwrwgggggwwwgk."
  ".kwwwwwwwwwwwgk."
  ".kBBBBBBBBBBBgk."
  ".kByBwwwwwBBBgk."
  ".kBBBBBBBBBBBgk."
  ".kwwwwwwwwwwwgk."
  ".kwcwgggggwwwgk."
  ".kwwwwwwwwwwwgk."
  ".kkkkkkkkkkkkkk."
  "..gggggggggggggg"
  "................")
quillon_bitmap_rc(QUILLON_TOOLBOX_BITMAP IDB_QUILLON_TOOLBOX 1 ${QUILLON_ART})
quillon_bitmap_rc(QUILLON_DESIGN_BITMAP IDB_QUILLON_DESIGN 2 ${QUILLON_ART})
set(QUILLON_RC ${QUILLON_TYPELIB_DIR}/QuillonLib.rc)
configure_file(${QUILLON_OLE_DIR}/QuillonLib.rc.in ${QUILLON_RC} @ONLY)
set_source_files_properties(${QUILLON_RC} PROPERTIES OBJECT_DEPENDS ${QUILLON_TYPELIB_FILE})

set(QUILLON_RESOURCE_SOURCES ${QUILLON_RC})
set(QUILLON_DLL_SOURCES
  ${QUILLON_OLE_DIR}/DllExports.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../QuillonLib.def
  ${QUILLON_RC}
)

# QuillonLib.dll: exports by the .def names (stdcall symbols undecorated on
# 32-bit), and built after the type library it embeds. Test programs that
# embed the same resources depend on QuillonLib, hence on it too.
function(quillon_finish_dll)
  add_dependencies(QuillonLib quillon_typelib)
  if(MINGW)
    # A trailing -Bstatic: the runtime libraries the posix g++ driver appends
    # (-lstdc++, -lpthread) link statically too.
    target_link_options(QuillonLib PRIVATE -Wl,--enable-stdcall-fixup)
    target_link_libraries(QuillonLib PRIVATE -Wl,-Bstatic)
  endif()
endfunction()
cmake_language(DEFER CALL quillon_finish_dll)
