// The highlight painter. Gradients work on single-precision ratios: bands of
// the straight gradients are merged while the ratio moves by no more than
// 0.025, the centre styles paint one column or row at a time, and Diagonal
// and Radial compute every pixel.
#include "render/Highlight.h"
#include <cmath>
#include <cstdint>
#include <new>
#include "render/BandPainter.h"
#include "render/ColorUtils.h"
#include "render/GdiScoped.h"
#include "render/TrueColorPixels.h"

namespace quillon {
namespace {

constexpr float kBandThreshold = 0.025f;

// The colour at ratio t: t * c1 + (1 - t) * c2 per channel.
COLORREF RampColor(COLORREF c1, COLORREF c2, float t) noexcept { return BlendColors(c1, c2, t); }

// Half of a 16-bit extent, rounded to even.
int16_t HalfRoundedToEven(int16_t extent) noexcept {
    return static_cast<int16_t>(RoundHalfEven(static_cast<double>(extent) / 2.0));
}

bool BeyondThreshold(float last, float t) noexcept {
    const float difference = std::fabs(last - t);
    return difference > kBandThreshold;
}

void Horizontal(BandPainter& bands, RECT& rect, COLORREF c1, COLORREF c2, bool leftToRight) noexcept {
    const int16_t width = static_cast<int16_t>(rect.right - rect.left);
    const float w = static_cast<float>(width);
    const LONG step = leftToRight ? 1 : -1;
    const LONG x0 = leftToRight ? rect.left : rect.right;
    const LONG x1 = leftToRight ? rect.right : rect.left;
    float last = 1.5f;
    LONG previous = x0;
    for (LONG x = x0; step > 0 ? x <= x1 : x >= x1; x += step) {
        const float t = static_cast<float>(width - step * (x - x0)) / w;
        if (BeyondThreshold(last, t) || x == x1) {
            rect.left = previous;
            rect.right = x;
            bands.Fill(rect, RampColor(c1, c2, t));
            last = t;
            previous = x;
        }
    }
}

void Vertical(BandPainter& bands, RECT& rect, COLORREF c1, COLORREF c2, bool topToBottom) noexcept {
    const int16_t height = static_cast<int16_t>(rect.bottom - rect.top);
    const float h = static_cast<float>(height);
    const LONG step = topToBottom ? 1 : -1;
    const LONG y0 = topToBottom ? rect.top : rect.bottom - 1;
    const LONG y1 = topToBottom ? rect.bottom - 1 : rect.top;
    float last = 1.5f;
    LONG previous = y0;
    for (LONG y = y0; step > 0 ? y <= y1 : y >= y1; y += step) {
        const float t = static_cast<float>(height - step * (y - y0)) / h;
        if (BeyondThreshold(last, t)) {
            rect.top = previous;
            rect.bottom = y;
            bands.Fill(rect, RampColor(c1, c2, t));
            last = t;
            previous = y;
        }
    }
}

// One-pixel columns (or rows) mirrored about the centre.
void Centred(BandPainter& bands, RECT& rect, COLORREF c1, COLORREF c2, bool columns) noexcept {
    LONG& low = columns ? rect.left : rect.top;
    LONG& high = columns ? rect.right : rect.bottom;
    const int16_t half = HalfRoundedToEven(static_cast<int16_t>(high - low));
    const float h2 = static_cast<float>(half);
    const LONG centre = low + half;
    LONG previous = 0;
    for (int16_t i = 0; i < half; ++i) {
        const COLORREF color = RampColor(c1, c2, static_cast<float>(half - i) / h2);
        low = centre + previous;
        high = centre + i;
        bands.Fill(rect, color);
        low = centre - i;
        high = centre - previous;
        bands.Fill(rect, color);
        previous = i;
    }
}

// The pixels of a per-pixel style over the box left..right-1, top..bottom-1.
struct PixelBox {
    LONG left, top, right, bottom;
};

template <class ColorAt>
void SetPixels(HDC hDC, const PixelBox& box, ColorAt&& colorAt) noexcept {
    for (LONG x = box.left; x < box.right; ++x)
        for (LONG y = box.top; y < box.bottom; ++y) SetPixelV(hDC, x, y, colorAt(x, y));
}

template <class ColorAt>
void PaintPixels(HDC hDC, const PixelBox& box, PixelPath path, ColorAt&& colorAt) noexcept {
    if (box.right <= box.left || box.bottom <= box.top) return;
    try {
        PixelBlock block(box.left, box.top, box.right - box.left, box.bottom - box.top);
        for (LONG y = box.top; y < box.bottom; ++y)
            for (LONG x = box.left; x < box.right; ++x) block.Set(x, y, colorAt(x, y));
        block.Paint(hDC, path == PixelPath::Buffered);
    } catch (const std::bad_alloc&) {
        SetPixels(hDC, box, colorAt);  // no room for the block: one by one
    }
}

void Diagonal(HDC hDC, const RECT& rect, COLORREF c1, COLORREF c2, PixelPath path) noexcept {
    const float w = static_cast<float>(static_cast<int16_t>(rect.right - rect.left));
    const float h = static_cast<float>(static_cast<int16_t>(rect.bottom - rect.top));
    PaintPixels(hDC, PixelBox{rect.left, rect.top, rect.right, rect.bottom}, path, [&](LONG x, LONG y) {
        const float tx = static_cast<float>(rect.right - x) / w;
        const float ty = static_cast<float>(rect.bottom - y) / h;
        return RampColor(c1, c2, tx * ty);
    });
}

// The four quadrants about the centre mirror one another, so the painted box
// runs from centre - (half - 1) to centre + (half - 1) on each axis.
void Radial(HDC hDC, const RECT& rect, COLORREF c1, COLORREF c2, PixelPath path) noexcept {
    const int16_t w2 = HalfRoundedToEven(static_cast<int16_t>(rect.right - rect.left));
    const int16_t h2 = HalfRoundedToEven(static_cast<int16_t>(rect.bottom - rect.top));
    if (w2 <= 0 || h2 <= 0) return;
    const LONG cx0 = rect.left + w2;
    const LONG cy0 = rect.top + h2;
    const PixelBox box{cx0 - (w2 - 1), cy0 - (h2 - 1), cx0 + w2, cy0 + h2};
    PaintPixels(hDC, box, path, [&](LONG x, LONG y) {
        const LONG i = x < cx0 ? cx0 - x : x - cx0;
        const LONG j = y < cy0 ? cy0 - y : y - cy0;
        const float tx = static_cast<float>(w2 - i) / static_cast<float>(w2);
        const float ty = static_cast<float>(h2 - j) / static_cast<float>(h2);
        return RampColor(c1, c2, tx * ty);
    });
}

void XPBox(HDC hDC, const RECT& rect, COLORREF c1, COLORREF c2) noexcept {
    SolidBrush brush(c1);
    HPEN pen = CreatePen(PS_INSIDEFRAME, 1, c2);
    HGDIOBJ oldBrush = SelectObject(hDC, brush.get());
    HGDIOBJ oldPen = pen ? SelectObject(hDC, pen) : nullptr;
    Rectangle(hDC, rect.left, rect.top, rect.right, rect.bottom);
    if (oldPen) SelectObject(hDC, oldPen);
    if (oldBrush) SelectObject(hDC, oldBrush);
    if (pen) DeleteObject(pen);
}

}  // namespace

void FillHighlight(HDC hDC, RECT& rect, COLORREF c1, LONG style, COLORREF c2, PixelPath path) noexcept {
    const bool emptyRect = rect.right == rect.left || rect.bottom == rect.top;
    switch (style) {
    case qlHighlightHorizontalLeftToRight:
    case qlHighlightHorizontalRightToLeft:
        if (!emptyRect) {
            BandPainter bands(hDC, path == PixelPath::Buffered);
            Horizontal(bands, rect, c1, c2, style == qlHighlightHorizontalLeftToRight);
        }
        break;
    case qlHighlightHorizontalCenter:
    case qlHighlightVerticalCenter: {
        BandPainter bands(hDC, path == PixelPath::Buffered);
        Centred(bands, rect, c1, c2, style == qlHighlightHorizontalCenter);
        break;
    }
    case qlHighlightVerticalTopToBottom:
    case qlHighlightVerticalBottomToTop:
        if (!emptyRect) {
            BandPainter bands(hDC, path == PixelPath::Buffered);
            Vertical(bands, rect, c1, c2, style == qlHighlightVerticalTopToBottom);
        }
        break;
    case qlHighlightDiagonal:
        if (!emptyRect) Diagonal(hDC, rect, c1, c2, path);
        break;
    case qlHighlightRadial:
        Radial(hDC, rect, c1, c2, path);
        break;
    case qlHighlightXP:
        XPBox(hDC, rect, c1, c2);
        break;
    default:
        FillSolid(hDC, rect, c1);
        break;
    }
}

}  // namespace quillon
