// Pictures in the item cells. DrawStateA draws a bitmap by selecting it into
// a memory DC of its own, and selecting a screen-compatible bitmap is slow on
// some systems (a tenth of a millisecond and more under Wine), once for every
// item painted. An enabled colour bitmap drawn onto a true-colour target
// without transforms gives the same pixels when its bits are copied straight
// to the device, so that case skips the selection; everything else is left
// to DrawStateA. A picture shown at another size than its own (at a DPI
// other than 96) is first copied at its shown size, smoothly scaled.
#include <new>
#include <vector>
#include "render/GdiScoped.h"
#include "render/ItemPainting.h"
#include "render/TrueColorPixels.h"

namespace quillon {
namespace {

bool CopyBitmapBits(HDC dc, HBITMAP bitmap, LONG x, LONG y, LONG w, LONG h) noexcept {
    BITMAP info{};
    if (GetObject(bitmap, sizeof info, &info) != sizeof info || info.bmBitsPixel <= 8) return false;
    if (!TakesTrueColorBlit(dc)) return false;
    if (w > info.bmWidth) w = info.bmWidth;
    if (h > info.bmHeight) h = info.bmHeight;
    if (w <= 0 || h <= 0) return false;
    try {
        // Top-down rows of the whole bitmap; the first h rows are its top.
        BITMAPINFO bits{};
        bits.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<DWORD> pixels(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
        if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &bits, DIB_RGB_COLORS) !=
            info.bmHeight)
            return false;
        return CopyTrueColorPixels(dc, x, y, w, h, pixels.data(), info.bmWidth);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// The picture's bitmap or icon at its shown size; null when it cannot be made.
HANDLE ScaledCopy(HDC dc, const PictureMetrics& picture) noexcept {
    if (picture.width <= 0 || picture.height <= 0) return nullptr;
    if (picture.type == PICTYPE_ICON)
        // From the icon's resource where the system still knows it: crisp.
        return CopyImage(picture.handle, IMAGE_ICON, picture.width, picture.height, LR_COPYFROMRESOURCE);
    MemoryDC source(dc), target(dc);
    if (!source.get() || !target.get()) return nullptr;
    HBITMAP scaled = CreateCompatibleBitmap(dc, picture.width, picture.height);
    if (!scaled) return nullptr;
    {
        SelectedObject from(source.get(), picture.handle);
        SelectedObject to(target.get(), scaled);
        SetStretchBltMode(target.get(), HALFTONE);
        SetBrushOrgEx(target.get(), 0, 0, nullptr);
        StretchBlt(target.get(), 0, 0, picture.width, picture.height, source.get(), 0, 0, picture.pixelWidth,
                   picture.pixelHeight, SRCCOPY);
    }
    return scaled;
}

void DrawAtOwnSize(HDC dc, const PictureMetrics& picture, LONG x, LONG y, LONG w, LONG h, bool disabled) noexcept {
    if (picture.type == PICTYPE_BITMAP && !disabled &&
        CopyBitmapBits(dc, static_cast<HBITMAP>(picture.handle), x, y, w, h))
        return;
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(picture.handle), 0, x, y, w, h,
               DrawStateFlags(picture, disabled));
}

}  // namespace

void DrawPicture(HDC dc, const PictureMetrics& picture, LONG x, LONG y, LONG w, LONG h, bool disabled) noexcept {
    if (!picture.Scaled()) {
        DrawAtOwnSize(dc, picture, x, y, w, h, disabled);
        return;
    }
    PictureMetrics copy = picture;
    copy.handle = ScaledCopy(dc, picture);
    if (!copy.handle) return;
    copy.pixelWidth = copy.width;
    copy.pixelHeight = copy.height;
    DrawAtOwnSize(dc, copy, x, y, w, h, disabled);
    if (copy.type == PICTYPE_ICON)
        DestroyIcon(static_cast<HICON>(copy.handle));
    else
        DeleteObject(copy.handle);
}

}  // namespace quillon
