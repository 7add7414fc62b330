#include "render/MakePicture.h"

namespace quillon {

ComPtr<IPictureDisp> PictureFromHandle(HANDLE handle, SHORT type) noexcept {
    ComPtr<IPictureDisp> picture;
    if (!handle) return picture;
    PICTDESC desc = {};
    // 20 bytes on 32-bit Windows (the handle and one further member); the
    // 64-bit layout is larger, so the size is the platform's own.
    desc.cbSizeofstruct = sizeof(PICTDESC);
    desc.picType = static_cast<UINT>(type);
    desc.bmp.hbitmap = static_cast<HBITMAP>(handle);
    desc.bmp.hpal = nullptr;
    const IID& asked = type == PICTYPE_BITMAP ? IID_IDispatch : IID_IPicture;
    IUnknown* made = nullptr;
    if (FAILED(OleCreatePictureIndirect(&desc, asked, TRUE, reinterpret_cast<void**>(&made))) || !made)
        return picture;
    made->QueryInterface(IID_IPictureDisp, picture.put_void());
    made->Release();
    return picture;
}

void ReplaceColor(HDC hDC, int x, int y, int width, int height, COLORREF newColor, COLORREF oldColor) noexcept {
    for (int px = x; px <= x + width; ++px)
        for (int py = y; py <= y + height; ++py)
            if (GetPixel(hDC, px, py) == oldColor) SetPixelV(hDC, px, py, newColor);
}

}  // namespace quillon
