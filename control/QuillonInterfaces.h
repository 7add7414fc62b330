#pragma once
// C++ view of the automation interfaces of QuillonLib. The vtable of each
// dual interface matches its entry in the type library written by
// tools/mktypelib; the DISPIDs here are the ones that table uses.
#include <windows.h>
#include <oaidl.h>
#include "control/Guids.h"

namespace quillon {

// --- _cSubclassListener ---------------------------------------------------
inline constexpr DISPID DISPID_WindowMsgListener = 0x60030000;

// --- _Quillon -------------------------------------------------------------
inline constexpr DISPID DISPID_RegisterWindowMenu = 0x60030046;

// --- __Quillon (events) ---------------------------------------------------
inline constexpr DISPID DISPID_SetMenuItemAttributes = 1;
inline constexpr DISPID DISPID_SetMenuItemSize = 2;
inline constexpr DISPID DISPID_DrawMenuItem = 3;
inline constexpr DISPID DISPID_ShowMenuHelp = 4;
inline constexpr DISPID DISPID_ClearMenuHelp = 5;

// The first object-defined automation error; every error the control
// reports to hosts carries it.
inline constexpr HRESULT QUILLON_E_OBJECT = static_cast<HRESULT>(0x80040000L);

// The control's dual interface.
struct _Quillon : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE RegisterWindowMenu(LONG hWindow, VARIANT* bStop) = 0;
};

}  // namespace quillon
