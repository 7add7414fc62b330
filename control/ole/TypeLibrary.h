#pragma once
// The type library embedded in the module (resource 1 TYPELIB), loaded once
// and shared by the controls of every apartment.
#include <windows.h>
#include <oaidl.h>
#include <string>

namespace quillon::typelib {

// Not AddRef'd; null when the module holds no type library.
ITypeLib* Library();
// Type information of the type with this GUID (not AddRef'd), or null.
ITypeInfo* InfoOf(REFGUID guid);
// The vtable (TKIND_INTERFACE) view of a dual interface (not AddRef'd).
ITypeInfo* InterfaceInfoOf(REFIID iid);
// Drops the cache (the module is about to be unloaded).
void Release();
// LoadTypeLibEx without registration. A path longer than MAX_PATH, which
// the loader may refuse, is tried again by its short form.
HRESULT LoadFromFile(const std::wstring& path, ITypeLib** library);

}  // namespace quillon::typelib
