#pragma once
// The frame's SetMenuItemAttributes handler: menu bar items in italics, each
// font item in its own face, tooltips for font, language and tooltip items.
#include <windows.h>
#include <oaidl.h>

namespace demo {

void ApplyMenuItemAttributes(IDispatch* menuItem);

}  // namespace demo
