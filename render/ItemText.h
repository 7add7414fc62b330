#pragma once
// Text output of owner-drawn items: DrawTextA, or for far-eastern item
// languages on systems without Unicode menus, TextOutW after conversion
// from the language's code page.
#include <windows.h>
#include <string>

namespace quillon {

// Draws `text` in `rect` with DrawText `format` bits (DT_CENTER and
// DT_RTLREADING decide the position on the Unicode path); `language` is a
// qlLanguage value.
void DrawItemText(HDC hDC, const std::wstring& text, const RECT& rect, UINT format, LONG language) noexcept;

}  // namespace quillon
