#pragma once
// Which Windows the control runs on. Drawing, text output and menu
// animation differ between Windows 95, 98/Me, NT 3 and NT 4 and later.
#include <windows.h>

namespace quillon::ApiDeclares {

// Major.minor as a number (4.10 -> 4.1, 5.0 -> 5); 0 when the version
// cannot be read.
double OSVersionNumber() noexcept;
bool IsWindows95() noexcept;
bool IsWindows98Me() noexcept;
bool IsWindowsNT3() noexcept;
bool IsWindowsNT4() noexcept;

// Whether the program runs under Wine (ntdll exports wine_get_version).
bool RunningOnWine() noexcept;
// Whether WM_MENUSELECT marks selections made with the mouse
// (MF_MOUSESELECT). Wine's menus use that bit for open submenus only.
bool MenusReportMouseSelection() noexcept;
// Whether menus take MFT_RIGHTORDER as right-to-left order. Wine's take the
// bit for their system-menu flag and stop drawing the item.
bool MenusKnowRightOrder() noexcept;

// Test seam: answer as the given system (platform id, major, minor) until
// cleared; `fail` makes the version query fail.
struct VersionOverride {
    DWORD platformId;
    DWORD major;
    DWORD minor;
    bool fail = false;
};
void SetVersionOverride(const VersionOverride* version) noexcept;

}  // namespace quillon::ApiDeclares
