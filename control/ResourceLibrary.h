#pragma once
// The optional resource library "QuillonRes.dll" with the localized default
// pictures and help texts. It is mapped as a data file from the folder of
// the control's own module only: a library of that name planted in the
// current folder or on the PATH is never loaded, and no code of it ever runs.
#include <windows.h>
#include <string>

namespace quillon::ResourceLibrary {

inline constexpr wchar_t kFileName[] = L"QuillonRes.dll";

// Folder (with trailing backslash) of the given module's file.
std::wstring FolderOf(HMODULE module);

// The library from `folder`, or 0 when it is absent or unreadable.
HMODULE Load(const std::wstring& folder) noexcept;

void Free(HMODULE library) noexcept;

// The folder the control takes the library from: its own module's, unless a
// test has named another one with SetFolderOverride (null clears it).
std::wstring ControlFolder(HMODULE module);
void SetFolderOverride(const std::wstring* folder) noexcept;

}  // namespace quillon::ResourceLibrary
