// Build step: writes the child form's pictures into the given folder.
#include <windows.h>
#include <string>
#include "demo/Bitmaps.h"

int wmain(int argc, wchar_t** argv) {
    const std::wstring dir = argc > 1 ? std::wstring(argv[1]) + L"\\" : std::wstring();
    const bool ok = demo::WriteBitmapFile(dir + demo::kCloudsFile, demo::DrawClouds()) &&
                    demo::WriteBitmapFile(dir + demo::kLakeFile, demo::DrawLake());
    return ok ? 0 : 1;
}
