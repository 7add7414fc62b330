#pragma once
// The child form's two pictures, drawn procedurally: clouds (280 x 230,
// 8 bits per pixel with a palette) and a lake (256 x 256, 24 bits per pixel).
// tools/MakeBitmaps writes them as .bmp files beside DemoHost.exe at build
// time; DemoHost loads those files and draws them itself when one is missing.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <string>
#include <vector>

namespace demo {

// A packed DIB: BITMAPINFOHEADER, colour table, bottom-up pixel rows.
using PackedDib = std::vector<BYTE>;

PackedDib DrawClouds();
PackedDib DrawLake();

inline constexpr wchar_t kCloudsFile[] = L"Clouds.bmp";
inline constexpr wchar_t kLakeFile[] = L"Lake.bmp";

bool WriteBitmapFile(const std::wstring& path, const PackedDib& dib);
// A DIB section from a .bmp file, or null.
HBITMAP LoadBitmapFile(const std::wstring& path);
// A DIB section holding a packed DIB, or null.
HBITMAP BitmapFromDib(const PackedDib& dib);
// `file` from `folder`; for the two known files, drawn afresh when the file
// cannot be read. Null for an unknown file that cannot be read.
HBITMAP LoadDemoBitmap(const std::wstring& folder, const std::wstring& file);
// A picture object that owns `bitmap` (deleted with the picture); null on
// failure, in which case the bitmap is deleted here.
IPictureDisp* PictureFromBitmap(HBITMAP bitmap);

}  // namespace demo
