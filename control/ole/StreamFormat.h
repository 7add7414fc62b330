#pragma once
// The stream form of the control's named values (IPersistStreamInit).
#include <windows.h>
#include <objidl.h>
#include "control/ole/MemoryPropertyBag.h"

namespace quillon::stream_format {

// Writes every value of `bag`; DISP_E_BADVARTYPE for a type the format has
// no record for.
HRESULT Write(IStream* stream, const MemoryPropertyBag& bag);
// Reads the values into `bag`. On a truncated or damaged stream the values
// read before the damage stay in `bag` and an error is returned. A whole
// object record that cannot be restored lands in `bag` as VT_ERROR.
HRESULT Read(IStream* stream, MemoryPropertyBag& bag);
// Bytes that Write would produce.
HRESULT Size(const MemoryPropertyBag& bag, ULONGLONG& size);

}  // namespace quillon::stream_format
