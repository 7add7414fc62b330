#pragma once
// Picture objects for the tests: bitmaps handed to OLE, which then owns them.
#include <windows.h>
#include <olectl.h>
#include "control/ole/ComPtr.h"

namespace quillon::test {

// A bitmap picture that owns `bitmap` (deleted here when OLE refuses it).
inline ComPtr<IPictureDisp> PictureOwning(HBITMAP bitmap) {
    PICTDESC pd{};
    pd.cbSizeofstruct = sizeof pd;
    pd.picType = PICTYPE_BITMAP;
    pd.bmp.hbitmap = bitmap;
    ComPtr<IPictureDisp> pic;
    if (!bitmap || FAILED(OleCreatePictureIndirect(&pd, IID_IPictureDisp, TRUE, pic.put_void()))) {
        if (bitmap) DeleteObject(bitmap);
        return {};
    }
    return pic;
}

// A 24-bit picture, as loaded from a .bmp file, filled with `back` and one
// pixel at (2, 3) in `dot`. (Wine's picture object cannot read back a
// 32-bit bitmap it saved itself, so screen-compatible bitmaps do not
// survive a save and load there.)
inline ComPtr<IPictureDisp> Dib24Picture(int cx, int cy, COLORREF back, COLORREF dot) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, cx, cy, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bmp) {
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bmp);
        RECT all{0, 0, cx, cy};
        HBRUSH brush = CreateSolidBrush(back);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        SetPixel(dc, 2, 3, dot);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    return PictureOwning(bmp);
}

}  // namespace quillon::test
