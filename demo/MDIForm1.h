#pragma once
// MDIForm1: the frame window. It carries Quillon1, the status line
// (Picture2 with Label1) and the MDI client holding Form1.
#include <windows.h>

namespace demo::MDIForm1 {

inline constexpr wchar_t kClassName[] = L"MDIForm1";
inline constexpr wchar_t kCaption[] = L"Quillon - DemoHost";

bool Register(HINSTANCE instance);
// Creates the frame and runs its load: the control, its two composite help
// texts, then Form1. Null on failure.
HWND Create(int showCommand);
// Closes everything after `milliseconds` (0: never).
void ExitAfter(UINT milliseconds);

}  // namespace demo::MDIForm1
