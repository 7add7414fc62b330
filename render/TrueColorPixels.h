#pragma once
// Copying computed pixels to a device in one call. Setting pixels one by
// one, or selecting a bitmap into a memory DC for every item, is slow on
// some systems; on a true-colour target one SetDIBitsToDevice of 32-bit
// pixels lands exactly where and as SetPixelV would.
#include <windows.h>
#include <vector>

namespace quillon {

// True when a 32-bit top-down DIB copied to `hDC` lands exactly as
// SetPixelV would set the same colours: a true-colour target (24 or 32 bits)
// without mapping or world transforms.
bool TakesTrueColorBlit(HDC hDC) noexcept;

// A COLORREF as a 32-bit DIB pixel (0x00RRGGBB).
constexpr DWORD DibPixel(COLORREF c) noexcept {
    return (static_cast<DWORD>(GetRValue(c)) << 16) | (static_cast<DWORD>(GetGValue(c)) << 8) | GetBValue(c);
}

// Copies the top-left width x height pixels of top-down 32-bit rows
// `stride` pixels long to (x, y) of `hDC`. The caller checks
// TakesTrueColorBlit first; false when nothing was copied.
bool CopyTrueColorPixels(HDC hDC, LONG x, LONG y, LONG width, LONG height, const DWORD* rows, LONG stride) noexcept;

// Pixels computed for one drawing step and then set together: a true-colour
// target takes them in one copy. Otherwise, or when some were left unset
// (those stay as they are on the target), each set pixel goes in with
// SetPixelV.
class PixelBlock {
public:
    // The block left..left+width-1, top..top+height-1; throws std::bad_alloc.
    PixelBlock(LONG left, LONG top, LONG width, LONG height);
    void Set(LONG x, LONG y, COLORREF color) noexcept {
        DWORD& pixel = m_pixels[static_cast<size_t>(y - m_top) * static_cast<size_t>(m_width) +
                                static_cast<size_t>(x - m_left)];
        m_set += pixel == kUnset;
        pixel = DibPixel(color);
    }
    // `copy` false sets every pixel with SetPixelV.
    void Paint(HDC hDC, bool copy = true) const noexcept;

private:
    static constexpr DWORD kUnset = 0xFF000000u;  // no DIB pixel has a top byte
    LONG m_left, m_top, m_width, m_height;
    std::vector<DWORD> m_pixels;
    size_t m_set = 0;
};

}  // namespace quillon
