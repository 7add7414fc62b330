// Pictures drawn into item cells: the direct copy of an enabled colour bitmap
// must give exactly the pixels DrawStateA gives, whatever part of the bitmap
// is drawn and wherever the item's origin was moved; a disabled picture is a
// grey copy that keeps its shape.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
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

TEST(DrawPicture, DisabledBitmapsAreGreyedCopiesAndIconsAreDrawStatesOwn) {
    HBITMAP bitmap = QuadrantBitmap(16, 16);
    const PictureMetrics picture = BitmapMetrics(bitmap, 16, 16);
    Canvas mine(40, 40), theirs(40, 40);
    DrawPicture(mine.dc, picture, 4, 4, 16, 16, true);
    DrawStateA(theirs.dc, nullptr, nullptr, reinterpret_cast<LPARAM>(bitmap), 0, 4, 4, 16, 16, DST_BITMAP);
    // The bitmap's grey, faded halfway toward the grey beneath it.
    const auto luminance = [](COLORREF c) {
        return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c) + 500) / 1000;
    };
    const int greyUnder = luminance(kSentinel);
    EXPECT_EQ(16 * 16, mine.Count([&](COLORREF p) { return p != kSentinel; }));
    int wrong = 0;
    for (int y = 4; y < 20; ++y)
        for (int x = 4; x < 20; ++x) {
            const int grey = (luminance(theirs.At(x, y)) + greyUnder + 1) / 2;
            wrong += mine.At(x, y) != RGB(grey, grey, grey);
        }
    EXPECT_EQ(0, wrong);
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

// A 16 x 16 icon of a red disc of radius 6 around (8, 8): shaped by its
// alpha channel alone (its AND mask all opaque), or, without alpha, by its
// AND mask.
constexpr int kIconSize = 16;
bool InDisc(int x, int y, int radius) { return (x - 8) * (x - 8) + (y - 8) * (y - 8) < radius * radius; }

HICON DiscIcon(bool alpha) {
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), kIconSize, -kIconSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    DWORD* bits = nullptr;
    HBITMAP color = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    BYTE maskRows[kIconSize][2] = {};  // one-bit rows, leftmost pixel in the top bit
    for (int y = 0; y < kIconSize; ++y)
        for (int x = 0; x < kIconSize; ++x) {
            const bool in = InDisc(x, y, 6);
            bits[y * kIconSize + x] = in ? (alpha ? 0xFFDC2828u : 0x00DC2828u) : 0;
            if (!alpha && !in) maskRows[y][x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
        }
    HBITMAP mask = CreateBitmap(kIconSize, kIconSize, 1, 1, maskRows);
    ICONINFO parts{TRUE, 0, 0, mask, color};
    HICON icon = CreateIconIndirect(&parts);
    DeleteObject(color);
    DeleteObject(mask);
    return icon;
}

TEST(DrawPicture, DisabledIconsAreGreyInsideTheirShapeAndLeaveTheRestAlone) {
    const struct Case {
        const char* name;
        bool alpha;
        COLORREF background;
    } cases[] = {{"alpha, light", true, RGB(250, 235, 200)},
                 {"alpha, dark", true, RGB(30, 40, 70)},
                 {"AND mask, light", false, RGB(250, 235, 200)},
                 {"AND mask, dark", false, RGB(30, 40, 70)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HICON icon = DiscIcon(c.alpha);
        ASSERT_NE(nullptr, icon);
        PictureMetrics picture;
        picture.type = PICTYPE_ICON;
        picture.handle = icon;
        picture.width = picture.height = kIconSize;
        Canvas canvas(30, 30);
        canvas.Fill(c.background);
        DrawPicture(canvas.dc, picture, 5, 5, kIconSize, kIconSize, true);
        int outside = 0, inside = 0, kept = 0, grey = 0;
        for (int y = 0; y < canvas.h; ++y)
            for (int x = 0; x < canvas.w; ++x) {
                const COLORREF p = canvas.At(x, y);
                if (!InDisc(x - 5, y - 5, 7)) {
                    ++outside;
                    kept += p == c.background;
                } else if (InDisc(x - 5, y - 5, 5)) {
                    ++inside;
                    grey += p != c.background && std::abs(GetRValue(p) - GetGValue(p)) <= 1 &&
                            std::abs(GetGValue(p) - GetBValue(p)) <= 1;
                }
            }
        EXPECT_EQ(outside, kept) << "outside the disc the background stays";
        EXPECT_EQ(inside, grey) << "inside the disc grey tones";
        DestroyIcon(icon);
    }
}

}  // namespace
