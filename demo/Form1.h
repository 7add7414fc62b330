#pragma once
// Form1: the MDI child with the rich menu bar. There is one instance at most.
#include <windows.h>

namespace demo::Form1 {

inline constexpr wchar_t kClassName[] = L"Form1";
inline constexpr wchar_t kCaption[] = L"Form1";

bool Register(HINSTANCE instance);
// Shows the child, loading a fresh one when none is open.
void Show();
// Unloads the child, if any.
void Destroy();

}  // namespace demo::Form1
