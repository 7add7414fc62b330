#include "render/BandPainter.h"
#include <algorithm>
#include "render/GdiScoped.h"
#include "render/TrueColorPixels.h"

namespace quillon {
namespace {

// How FillRect places a rectangle whose edges are swapped: the pixels from
// the smaller edge plus `shift` up to the larger one plus `shift`. Read once
// from GDI itself; `known` is false when it paints some other width, and
// such bands are then filled rather than gathered.
struct SwappedEdges {
    bool known = false;
    LONG shiftX = 0, shiftY = 0;
};

SwappedEdges ProbeSwappedEdges() noexcept {
    SwappedEdges result;
    constexpr LONG kSize = 6;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return result;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kSize, -kSize, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    DWORD* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    if (dib && bits) {
        HGDIOBJ old = SelectObject(dc, dib);
        std::fill(bits, bits + kSize * kSize, 0u);
        RECT swapped{4, 4, 2, 2};
        FillRect(dc, &swapped, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        GdiFlush();
        LONG left = kSize, right = -1, top = kSize, bottom = -1;
        for (LONG y = 0; y < kSize; ++y)
            for (LONG x = 0; x < kSize; ++x)
                if (bits[y * kSize + x]) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        if (right - left + 1 == 2 && bottom - top + 1 == 2) {
            result.known = true;
            result.shiftX = left - 2;
            result.shiftY = top - 2;
        }
        SelectObject(dc, old);
    }
    if (dib) DeleteObject(dib);
    DeleteDC(dc);
    return result;
}

const SwappedEdges& Swapped() noexcept {
    static const SwappedEdges edges = ProbeSwappedEdges();
    return edges;
}

}  // namespace

BandPainter::BandPainter(HDC dc, bool gather) noexcept : m_dc(dc), m_gather(gather && TakesTrueColorBlit(dc)) {}

BandPainter::~BandPainter() { PaintGathered(); }

void BandPainter::Fill(const RECT& band, COLORREF color) noexcept {
    RECT covered = band;
    if (m_gather && (band.left > band.right || band.top > band.bottom)) {
        if (!Swapped().known) {
            PaintGathered();  // keeps the order of the bands
            m_gather = false;
        } else {
            if (covered.left > covered.right) {
                std::swap(covered.left, covered.right);
                covered.left += Swapped().shiftX;
                covered.right += Swapped().shiftX;
            }
            if (covered.top > covered.bottom) {
                std::swap(covered.top, covered.bottom);
                covered.top += Swapped().shiftY;
                covered.bottom += Swapped().shiftY;
            }
        }
    }
    if (!m_gather) {
        FillSolid(m_dc, band, color);
        return;
    }
    try {
        m_bands.push_back({band, covered, color});
    } catch (...) {
        PaintGathered();
        m_gather = false;
        FillSolid(m_dc, band, color);
    }
}

void BandPainter::PaintGathered() noexcept {
    if (m_bands.empty()) return;
    bool copied = false;
    try {
        copied = CopyGathered();
    } catch (...) {
        copied = false;
    }
    if (!copied)
        for (const Band& b : m_bands) FillSolid(m_dc, b.rect, b.color);
    m_bands.clear();
}

// One copy of the box the bands cover; false when they leave a pixel of
// it uncovered, which a copy would overwrite.
bool BandPainter::CopyGathered() const {
    RECT box{0, 0, 0, 0};
    bool any = false;
    for (const Band& b : m_bands) {
        if (b.covered.left >= b.covered.right || b.covered.top >= b.covered.bottom) continue;
        if (!any) {
            box = b.covered;
            any = true;
        } else {
            UnionRect(&box, &box, &b.covered);
        }
    }
    if (!any) return true;  // only empty bands: FillRect paints nothing either
    const LONG width = box.right - box.left, height = box.bottom - box.top;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<DWORD> pixels(count);
    std::vector<unsigned char> painted(count, 0);
    for (const Band& b : m_bands) {
        const DWORD pixel = DibPixel(b.color);
        for (LONG y = b.covered.top; y < b.covered.bottom; ++y) {
            const size_t row = static_cast<size_t>(y - box.top) * static_cast<size_t>(width);
            for (LONG x = b.covered.left; x < b.covered.right; ++x) {
                pixels[row + static_cast<size_t>(x - box.left)] = pixel;
                painted[row + static_cast<size_t>(x - box.left)] = 1;
            }
        }
    }
    if (std::find(painted.begin(), painted.end(), 0) != painted.end()) return false;
    return CopyTrueColorPixels(m_dc, box.left, box.top, width, height, pixels.data(), width);
}

}  // namespace quillon
