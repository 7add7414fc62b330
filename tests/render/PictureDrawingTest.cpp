// Pictures drawn into item cells: the direct copy of an enabled colour bitmap
// must give exactly the pixels DrawStateA gives, whatever part of the bitmap
// is drawn and wherever the item's origin was moved.
#include <windows.h>
#include <gtest/gtest.h>
#include "render/ItemPainting.h"
#include "tests/render/Canvas.h"

using namespace quillon;
using namespace quillon::test;

namespace {

// A screen-compatible bitmap (as pictures loaded by hosts are) with four
// quadrants and a diagonal, so that a shifted or flipped copy shows.
HBITMAP QuadrantBitmap(int w, int h) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF quadrant[4] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 220), RGB(250, 200, 0)};
    for (int i = 0; i < 4; ++i) {
        RECT r{(i % 2) * w / 2, (i / 2) * h / 2, (i % 2 + 1) * w / 2, (i / 2 + 1) * h / 2};
        HBRUSH b = CreateSolidBrush(quadrant[i]);
        FillRect(dc, &r, b);
        DeleteObject(b);
    }
    for (int i = 0; i < w && i < h; ++i) SetPixelV(dc, i, i, RGB(255, 255, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

PictureMetrics BitmapMetrics(HBITMAP bitmap, LONG w, LONG h) {
    PictureMetrics m;
    m.type = PICTYPE_BITMAP;
    m.handle = bitmap;
    m.width = w;
    m.height = h;
    return m;
}

TEST(DrawPicture, GivesDrawStatesPixelsForWholeAndClippedBitmapsAtMovedOrigins) {
    HBITMAP bitmap = QuadrantBitmap(20, 14);
    const PictureMetrics picture = BitmapMetrics(bitmap, 20, 14);
    struct Case {
        LONG x, y, w, h;
        POINT origin;
    } cases[] = {{2, 3, 20, 14, {0, 0}}, {5, 1, 12, 9, {0, 0}}, {0, 0, 20, 14, {30, 17}}, {3, 2, 7, 13, {-2, 40}}};
    for (const Case& c : cases) {
        Canvas mine(80, 80), theirs(80, 80);
        SetViewportOrgEx(mine.dc, c.origin.x, c.origin.y, nullptr);
        SetViewportOrgEx(theirs.dc, c.origin.x, c.origin.y, nullptr);
        DrawPicture(mine.dc, picture, c.x, c.y, c.w, c.h, false);
        DrawStateA(theirs.dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, c.x, c.y, c.w, c.h, DST_BITMAP);
        EXPECT_TRUE(mine == theirs) << "x " << c.x << " y " << c.y << " w " << c.w << " h " << c.h;
        EXPECT_EQ(c.w * c.h, mine.Count([](COLORREF p) { return p != kSentinel; }));
        EXPECT_EQ(RGB(255, 255, 255), mine.At(c.origin.x + c.x, c.origin.y + c.y)) << "the top-left stays top-left";
    }
    DeleteObject(bitmap);
}

TEST(DrawPicture, DisabledPicturesAndIconsAreDrawStatesOwn) {
    HBITMAP bitmap = QuadrantBitmap(16, 16);
    const PictureMetrics picture = BitmapMetrics(bitmap, 16, 16);
    Canvas mine(40, 40), theirs(40, 40);
    DrawPicture(mine.dc, picture, 4, 4, 16, 16, true);
    DrawStateA(theirs.dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, 4, 4, 16, 16,
               DST_BITMAP | DSS_DISABLED);
    EXPECT_TRUE(mine == theirs);
    EXPECT_GT(mine.Count([](COLORREF p) { return p != kSentinel; }), 0);
    DeleteObject(bitmap);

    HICON icon = LoadIcon(nullptr, IDI_INFORMATION);
    PictureMetrics iconPicture;
    iconPicture.type = PICTYPE_ICON;
    iconPicture.handle = icon;
    iconPicture.width = iconPicture.height = 32;
    Canvas mineIcon(40, 40), theirsIcon(40, 40);
    DrawPicture(mineIcon.dc, iconPicture, 2, 2, 32, 32, false);
    DrawStateA(theirsIcon.dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, 2, 2, 32, 32, DST_ICON);
    EXPECT_TRUE(mineIcon == theirsIcon);
}

}  // namespace
