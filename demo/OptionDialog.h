#pragma once
// A modal dialog of option buttons (ids dlg::Option0 + i) for one property:
// it opens on the property's current value, OK writes the chosen one,
// Cancel and Esc leave it as it was.
#include <windows.h>
#include <functional>
#include "demo/DialogTemplate.h"

namespace demo {

struct OptionProperty {
    int options;                       // buttons 0 .. options - 1
    std::function<LONG()> read;        // the current value
    std::function<void(LONG)> write;   // applied on OK
};

void RunOptionDialog(HWND owner, const DialogLayout& layout, const OptionProperty& property);

}  // namespace demo
