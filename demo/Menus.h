#pragma once
// The menus of DemoHost: the frame's own bar, the child form's bar and the
// child's right-click pop-up (never on a bar).
#include <windows.h>
#include <string>

namespace demo {

HMENU CreateFrameMenu();

struct ChildMenus {
    HMENU bar = nullptr;
    HMENU track = nullptr;  // "TrackMenu": a pop-up only
};
ChildMenus CreateChildMenus();

// Replaces an item's caption and keeps its shortcut text ("\tCtrl+C").
void SetItemCaption(HMENU menu, UINT command, const wchar_t* caption);
// Replaces the caption of the submenu item whose submenu holds `inside`.
void SetSubmenuCaption(HMENU bar, UINT inside, const wchar_t* caption);
// The caption without the shortcut text.
std::wstring ItemCaption(HMENU menu, UINT command);

bool IsItemChecked(HMENU menu, UINT command);
void SetItemChecked(HMENU menu, UINT command, bool checked);

}  // namespace demo
