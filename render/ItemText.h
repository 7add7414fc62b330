#pragma once
// Text output of owner-drawn items: DrawTextW for a Unicode program's
// text; for an ANSI program's DrawTextA, or for far-eastern item languages
// on systems without Unicode menus, TextOutW after conversion from the
// language's code page.
#include <windows.h>
#include <string>

namespace quillon {

// Draws `text` in `rect` with DrawText `format` bits (DT_CENTER and
// DT_RTLREADING decide the position on the far-eastern path); `language` is
// a qlLanguage value; `unicodeText` says the text is a Unicode program's own.
void DrawItemText(HDC hDC, const std::wstring& text, const RECT& rect, UINT format, LONG language,
                  bool unicodeText = false) noexcept;

}  // namespace quillon
