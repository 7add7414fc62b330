// The highlight styles painted into 32-bit DIB sections read back from the
// bits, and the picture helpers.
#include <windows.h>
#include <gtest/gtest.h>
#include <vector>
#include "render/Highlight.h"
#include "render/MakePicture.h"
#include "tests/render/Canvas.h"

using namespace quillon;

namespace {

using quillon::test::kSentinel;
constexpr COLORREF kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

// A canvas with the highlight painter's strokes.
struct Canvas : quillon::test::Canvas {
    using quillon::test::Canvas::Canvas;
    RECT Paint(LONG style, PixelPath path = PixelPath::Buffered, RECT r = {0, 0, -1, -1}) {
        if (r.right < 0) r = {0, 0, w, h};
        FillHighlight(dc, r, kRed, style, kBlue, path);
        return r;
    }
    int Bands(bool row, int at, int length) const {
        int n = 1;
        for (int i = 1; i < length; ++i) n += row ? At(i, at) != At(i - 1, at) : At(at, i) != At(at, i - 1);
        return n;
    }
};
bool NearFirst(COLORREF c) { return GetRValue(c) >= 240 && GetBValue(c) <= 15; }
bool NearSecond(COLORREF c) { return GetBValue(c) >= 240 && GetRValue(c) <= 15; }

TEST(Highlight, StraightGradientsMergeBandsAndEndInTheSecondColour) {
    Canvas ltr(100, 20), rtl(100, 20), narrow(30, 4), down(100, 20), up(100, 20), tall(10, 100);
    EXPECT_EQ(100, ltr.Paint(qlHighlightHorizontalLeftToRight).right) << "scratch holds the last band";
    EXPECT_TRUE(NearFirst(ltr.At(0, 0)));
    EXPECT_EQ(kBlue, ltr.At(99, 19));
    EXPECT_GT(ltr.Bands(true, 10, 100), 30);
    EXPECT_LT(ltr.Bands(true, 10, 100), 45);
    narrow.Paint(qlHighlightHorizontalLeftToRight);
    EXPECT_EQ(30, narrow.Bands(true, 0, 30)) << "one band per column";
    tall.Paint(qlHighlightVerticalTopToBottom);
    EXPECT_LT(tall.Bands(false, 3, 100), 45);
    EXPECT_GT(tall.Bands(false, 3, 100), 30);

    // Reversed bands cover what GDI makes of a rectangle with swapped edges
    // (one pixel over); the mirror image is the same either way.
    rtl.Paint(qlHighlightHorizontalRightToLeft);
    const int xs = rtl.At(0, 7) == kSentinel ? 1 : 0;
    for (int x = 1; x < 99; ++x) ASSERT_EQ(ltr.At(x, 7), rtl.At(99 - x + xs, 7)) << x;
    EXPECT_EQ(kBlue, rtl.At(xs, 0));

    down.Paint(qlHighlightVerticalTopToBottom);
    up.Paint(qlHighlightVerticalBottomToTop);
    EXPECT_TRUE(NearFirst(down.At(0, 0)));
    EXPECT_EQ(kSentinel, down.At(50, 19)) << "no closing band";
    EXPECT_EQ(19, down.Bands(false, 5, 19));
    const int ys = up.At(50, 0) == kSentinel ? 1 : 0;
    EXPECT_EQ(kSentinel, up.At(50, ys ? 0 : 19));
    for (int y = 0; y < 19; ++y) ASSERT_EQ(down.At(30, y), up.At(30, 18 - y + ys)) << y;
}

TEST(Highlight, CentreStylesMirrorAndLeaveTheOuterEdges) {
    Canvas cols(100, 20), rows(100, 20);
    cols.Paint(qlHighlightHorizontalCenter);
    rows.Paint(qlHighlightVerticalCenter);
    EXPECT_EQ(kSentinel, cols.At(0, 10));
    EXPECT_EQ(kSentinel, cols.At(99, 10));
    for (int x = 1; x < 99; ++x) ASSERT_EQ(cols.At(x, 3), cols.At(99 - x, 3)) << x;
    EXPECT_TRUE(NearFirst(cols.At(50, 0)));
    EXPECT_TRUE(NearSecond(cols.At(1, 19)));
    EXPECT_EQ(99, cols.Bands(true, 0, 100)) << "every column painted, no threshold";
    EXPECT_EQ(kSentinel, rows.At(40, 0));
    EXPECT_EQ(kSentinel, rows.At(40, 19));
    for (int y = 1; y < 19; ++y) ASSERT_EQ(rows.At(40, y), rows.At(40, 19 - y)) << y;
    EXPECT_GT(GetRValue(rows.At(0, 10)), 200);
    EXPECT_GT(GetBValue(rows.At(0, 1)), 200);
}

// Gathered bands land exactly where and as a fill per band puts them, for
// every banded style, swapped edges (the reversed styles) and boxes off the
// origin or partly outside the canvas included.
TEST(Highlight, BandedStylesAgreeOnBothPaths) {
    const LONG styles[] = {qlHighlightHorizontalLeftToRight, qlHighlightHorizontalRightToLeft,
                           qlHighlightHorizontalCenter,      qlHighlightVerticalTopToBottom,
                           qlHighlightVerticalBottomToTop,   qlHighlightVerticalCenter};
    const RECT boxes[] = {{0, 0, 100, 20}, {3, 2, 40, 9}, {5, 1, 6, 18}, {-4, -3, 30, 7}, {7, 5, 58, 30}};
    for (LONG style : styles)
        for (const RECT& box : boxes) {
            Canvas buffered(50, 24), direct(50, 24);
            const RECT a = buffered.Paint(style, PixelPath::Buffered, box);
            const RECT b = direct.Paint(style, PixelPath::Direct, box);
            EXPECT_TRUE(buffered == direct) << "style " << style << ", box " << box.left << "," << box.top;
            EXPECT_TRUE(EqualRect(&a, &b)) << "the scratch rectangle, style " << style;
            if (box.right - box.left > 2 && box.bottom - box.top > 2) {
                EXPECT_LT(buffered.Count(kSentinel), 50 * 24) << "something was painted, style " << style;
            }
        }
}

TEST(Highlight, PerPixelStylesAgreeOnBothPaths) {
    Canvas diagonal(100, 20), diagonal2(100, 20), radial(100, 20), radial2(100, 20), odd(20, 12), odd2(20, 12);
    diagonal.Paint(qlHighlightDiagonal);
    diagonal2.Paint(qlHighlightDiagonal, PixelPath::Direct);
    EXPECT_EQ(kRed, diagonal.At(0, 0));
    EXPECT_TRUE(NearSecond(diagonal.At(99, 19)));
    EXPECT_TRUE(diagonal == diagonal2);

    radial.Paint(qlHighlightRadial);
    radial2.Paint(qlHighlightRadial, PixelPath::Direct);
    EXPECT_EQ(kRed, radial.At(50, 10));
    EXPECT_EQ(kSentinel, radial.At(0, 5));
    EXPECT_EQ(kSentinel, radial.At(30, 0));
    EXPECT_TRUE(NearSecond(radial.At(1, 1)));
    for (int x = 1; x < 100; ++x)
        for (int y = 1; y < 20; ++y) ASSERT_EQ(radial.At(x, y), radial.At(100 - x, 20 - y)) << x << "," << y;
    EXPECT_TRUE(radial == radial2);

    // 7 x 5: the halves round to 4 and 2, so the right edge column is painted.
    odd.Paint(qlHighlightRadial, PixelPath::Buffered, {5, 3, 12, 8});
    odd2.Paint(qlHighlightRadial, PixelPath::Direct, {5, 3, 12, 8});
    EXPECT_NE(kSentinel, odd.At(12, 5));
    EXPECT_EQ(kSentinel, odd.At(5, 5));
    EXPECT_TRUE(odd == odd2);
}

TEST(Highlight, XPBoxAndSolidFills) {
    Canvas xp(100, 20);
    xp.Paint(qlHighlightXP);
    for (int x = 0; x < 100; ++x) ASSERT_TRUE(xp.At(x, 0) == kBlue && xp.At(x, 19) == kBlue) << x;
    EXPECT_EQ(kBlue, xp.At(0, 10));
    EXPECT_EQ(kBlue, xp.At(99, 10));
    EXPECT_EQ(kRed, xp.At(1, 1));
    EXPECT_EQ(kRed, xp.At(98, 18));
    for (LONG style : {0L, 12L, -1L}) {
        Canvas c(100, 20);
        c.Paint(style);
        EXPECT_EQ(1, c.Bands(true, 0, 100)) << style;
        EXPECT_EQ(kRed, c.At(99, 19)) << style;
    }
}

TEST(MakePicture, ReplaceColorAndPictureFromHandle) {
    Canvas c(10, 10);
    ReplaceColor(c.dc, 2, 3, 4, 2, kRed, kSentinel);
    EXPECT_EQ(kRed, c.At(2, 3));
    EXPECT_EQ(kRed, c.At(6, 5)) << "both ends included";
    EXPECT_EQ(kSentinel, c.At(7, 5));
    EXPECT_EQ(kSentinel, c.At(6, 6));

    EXPECT_FALSE(PictureFromHandle(nullptr, PICTYPE_BITMAP));
    HBITMAP bmp = CreateBitmap(8, 8, 1, 32, nullptr);
    auto pic = PictureFromHandle(bmp, PICTYPE_BITMAP).As<IPicture>(IID_IPicture);
    ASSERT_TRUE(pic);
    SHORT type = 0;
    OLE_HANDLE handle = 0;
    pic->get_Type(&type), pic->get_Handle(&handle);
    EXPECT_EQ(PICTYPE_BITMAP, type);
    EXPECT_EQ(static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(bmp)), handle);
    pic.Reset();
    EXPECT_EQ(0u, GetObjectType(bmp)) << "the picture owned the bitmap";
    std::vector<BYTE> mask(32, 0xFF), colour(32, 0);
    auto icon = PictureFromHandle(CreateIcon(nullptr, 16, 16, 1, 1, mask.data(), colour.data()), PICTYPE_ICON);
    ASSERT_TRUE(icon);
    icon.As<IPicture>(IID_IPicture)->get_Type(&type);
    EXPECT_EQ(PICTYPE_ICON, type);
}

}  // namespace
