#pragma once
// DemoHost's saved form: the design-time settings of Quillon1 as readable
// text, one "Key = Value" a line ('#' starts a comment). Values:
//   True / False             Boolean
//   0x0000C0FF, 12, -1       32-bit integer (colours in hex)
//   "text"                   string
//   Picture("Lake.bmp")      a bitmap file in the form file's folder
#include <windows.h>
#include <string>
#include "demo/PropertyBag.h"

namespace demo {

inline constexpr wchar_t kFormFile[] = L"DemoHost.frm.txt";

// Reads the file into `bag`; false when it cannot be read. Lines that do not
// parse are skipped.
bool LoadFormFile(const std::wstring& path, PropertyBag& bag);

}  // namespace demo
