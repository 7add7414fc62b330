#pragma once
// The control's modal about box: title, description and version, and an
// OK button. Built from an in-memory template, so it needs no resources.
#include <windows.h>
#include <string>

namespace quillon {

struct AboutText {
    std::wstring title;
    std::wstring description;
    std::wstring version;
};

// Splits the composed about text (one line each: title, description,
// version) into its parts.
AboutText SplitAboutText(const std::wstring& text);

// Shows the box modally over `owner` (may be 0) until the user closes it;
// returns the command that closed it (IDOK, IDCANCEL) or -1 on failure.
INT_PTR ShowAboutBox(HWND owner, const AboutText& text);

// The caption of the about box's window.
inline constexpr const wchar_t* kAboutBoxCaption = L"About Quillon";

}  // namespace quillon
