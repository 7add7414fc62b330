// The background picture tiled behind popup items.
#include <windows.h>
#include <olectl.h>
#include "control/Quillon.h"

namespace quillon {
namespace {

// Offset of `v` inside its tile, also for coordinates left of or above the
// origin, so tiles stay on one grid.
LONG TileOffset(LONG v, LONG size) noexcept {
    const LONG r = v % size;
    return r < 0 ? r + size : r;
}

}  // namespace

void Quillon::TileBackground(HDC hDC, LONG x, LONG y, LONG width, LONG height) {
    IPicture* picture = PaintedBackgroundPicture();
    if (!picture) return;
    SHORT type = PICTYPE_UNINITIALIZED;
    if (FAILED(picture->get_Type(&type)) || (type != PICTYPE_BITMAP && type != PICTYPE_ICON)) return;
    // An icon has been drawn onto a bitmap in the same DC by the setter.
    HDC source = BackgroundDC();
    const LONG tw = BackgroundWidth(), th = BackgroundHeight();
    // A picture too small to measure in pixels has nothing to tile.
    if (!source || tw <= 0 || th <= 0 || width <= 0 || height <= 0) return;

    // Tiles follow the DC's origin, not the rectangle, so the items of one
    // popup show one continuous picture.
    const LONG right = x + width, bottom = y + height;
    LONG sy = TileOffset(y, th);
    for (LONG py = y; py < bottom; sy = 0) {
        const LONG ph = (th - sy < bottom - py) ? th - sy : bottom - py;
        LONG sx = TileOffset(x, tw);
        for (LONG px = x; px < right; sx = 0) {
            const LONG pw = (tw - sx < right - px) ? tw - sx : right - px;
            BitBlt(hDC, px, py, pw, ph, source, sx, sy, SRCCOPY);
            px += pw;
        }
        py += ph;
    }
}

}  // namespace quillon
