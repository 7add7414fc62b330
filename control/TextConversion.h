#pragma once
// Text between the control's UTF-16 strings and the ANSI forms that menus,
// resource strings and the ANSI common-control messages use.
#include <windows.h>
#include <string>

namespace quillon {

std::string Narrow(const std::wstring& text, UINT codePage = CP_ACP);
std::wstring Widen(const char* bytes, int length, UINT codePage = CP_ACP);
// Without leading and trailing blanks (spaces only).
std::wstring TrimBlanks(const std::wstring& text);
// The code page of a far-eastern qlLanguage value (Korean 949, Japanese 932,
// Chinese traditional 950, simplified 936), 0 for every other language.
UINT FarEastCodePage(LONG language) noexcept;

}  // namespace quillon
