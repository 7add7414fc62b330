#pragma once
// The class object of Quillon handed out by DllGetClassObject.
#include <windows.h>
#include <unknwn.h>

namespace quillon {

// Made by the control's code: CLASS_E_NOAGGREGATION for a non-null outer;
// constructs the object and runs UserControl_Initialize.
HRESULT CreateQuillonInstance(IUnknown* outer, REFIID riid, void** ppv);

// The process-wide class object (static; its references do not keep the
// module loaded, LockServer does).
IClassFactory* QuillonClassFactory();

}  // namespace quillon
