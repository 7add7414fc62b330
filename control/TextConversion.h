#pragma once
// Text between the control's UTF-16 strings and the ANSI forms that menus,
// resource strings and the ANSI common-control messages use.
#include <windows.h>
#include <string>

namespace quillon {

std::string Narrow(const std::wstring& text, UINT codePage = CP_ACP);
std::wstring Widen(const char* bytes, int length, UINT codePage = CP_ACP);
// The ANSI form of `text` in `bytes` when every character has a form of its
// own in the ANSI code page (no best-fit stand-ins, no default character);
// false, and `bytes` empty, when not. Text an ANSI program put into a menu
// always has one; text from a Unicode program may not.
bool NarrowExactly(const std::wstring& text, std::string& bytes);
// The code of a character in the ANSI code page (two bytes, lead byte high,
// in a double-byte code page); its UTF-16 code when the code page has none.
LONG AnsiCode(wchar_t c) noexcept;
// Without leading and trailing blanks (spaces only).
std::wstring TrimBlanks(const std::wstring& text);
// The code page of a far-eastern qlLanguage value (Korean 949, Japanese 932,
// Chinese traditional 950, simplified 936), 0 for every other language.
UINT FarEastCodePage(LONG language) noexcept;

}  // namespace quillon
