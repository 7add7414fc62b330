#pragma once
// Late-bound access to automation objects of the container (forms and
// their parents), by member name as a script host would do it.
#include <windows.h>
#include <oaidl.h>

namespace quillon::LateBound {

// DISPID of a member, or DISPID_UNKNOWN when the object has none.
DISPID MemberId(IDispatch* object, const wchar_t* name) noexcept;

// Reads a property; false when the object has no such member or the call fails.
bool GetProperty(IDispatch* object, const wchar_t* name, VARIANT* value) noexcept;

// An object property read as IDispatch (AddRef'd), or nullptr.
IDispatch* GetObjectProperty(IDispatch* object, const wchar_t* name) noexcept;

}  // namespace quillon::LateBound
