#pragma once
// What the forms of DemoHost share: the frame's windows and its control.
#include <windows.h>
#include <string>
#include "demo/QuillonHost.h"

namespace demo {

struct App {
    HINSTANCE instance = nullptr;
    std::wstring folder;  // DemoHost.exe's folder, no trailing backslash
    HWND frame = nullptr;      // MDIForm1
    HWND mdiClient = nullptr;
    HWND statusBox = nullptr;  // Picture2
    HWND statusText = nullptr; // Label1
    HMENU frameMenu = nullptr;
    QuillonHost quillon;       // Quillon1

    quillon::_Quillon* Control() const { return quillon.Control(); }
};

App& TheApp();

}  // namespace demo
