// Pictures in the item cells. DrawStateA draws a bitmap by selecting it into
// a memory DC of its own, and selecting a screen-compatible bitmap is slow on
// some systems (a tenth of a millisecond and more under Wine), once for every
// item painted. An enabled colour bitmap drawn onto a true-colour target
// without transforms gives the same pixels when its bits are copied straight
// to the device, so that case skips the selection. A disabled colour picture
// on such a target is drawn as a grey, faded copy of itself that keeps its
// shape: DSS_DISABLED flattens a picture into one embossed tone (under Wine a
// grey square) and ignores the alpha of 32-bit icons. Everything else is left
// to DrawStateA. A picture shown at another size than its own (at a DPI
// other than 96) is first copied at its shown size, smoothly scaled.
#include <new>
#include <vector>
#include "render/GdiScoped.h"
#include "render/ItemPainting.h"
#include "render/TrueColorPixels.h"

namespace quillon {
namespace {

// The whole of `bitmap` (described by `info`) as top-down 32-bit rows.
// Throws std::bad_alloc.
bool ReadBitmapPixels(HDC dc, HBITMAP bitmap, const BITMAP& info, std::vector<DWORD>& pixels) {
    BITMAPINFO bits{};
    bits.bmiHeader = {sizeof(BITMAPINFOHEADER), info.bmWidth, -info.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    pixels.resize(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(), &bits, DIB_RGB_COLORS) ==
           info.bmHeight;
}

bool CopyBitmapBits(HDC dc, HBITMAP bitmap, LONG x, LONG y, LONG w, LONG h) noexcept {
    BITMAP info{};
    if (GetObject(bitmap, sizeof info, &info) != sizeof info || info.bmBitsPixel <= 8) return false;
    if (!TakesTrueColorBlit(dc)) return false;
    if (w > info.bmWidth) w = info.bmWidth;
    if (h > info.bmHeight) h = info.bmHeight;
    if (w <= 0 || h <= 0) return false;
    try {
        // The first h rows are the bitmap's top.
        std::vector<DWORD> pixels;
        return ReadBitmapPixels(dc, bitmap, info, pixels) &&
               CopyTrueColorPixels(dc, x, y, w, h, pixels.data(), info.bmWidth);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

// A w x h top-down 32-bit DIB section selected into a memory DC, for one step.
class Scratch {
public:
    Scratch(HDC dc, LONG w, LONG h) noexcept
        : m_memory(dc), m_bitmap(MakeDib(w, h, m_bits)), m_selected(m_memory.get(), m_bitmap.get()),
          m_count(static_cast<size_t>(w) * static_cast<size_t>(h)) {}
    bool Ready() const noexcept {
        return m_memory.get() && m_bits && GetCurrentObject(m_memory.get(), OBJ_BITMAP) == m_bitmap.get();
    }
    HDC Dc() const noexcept { return m_memory.get(); }
    void Fill(DWORD pixel) const noexcept {
        GdiFlush();
        for (size_t i = 0; i < m_count; ++i) m_bits[i] = pixel;
    }
    // The pixels as GDI left them; throws std::bad_alloc.
    std::vector<DWORD> Pixels() const {
        GdiFlush();
        return std::vector<DWORD>(m_bits, m_bits + m_count);
    }

private:
    static HBITMAP MakeDib(LONG w, LONG h, DWORD*& bits) noexcept {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* memory = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = dib ? static_cast<DWORD*>(memory) : nullptr;
        return dib;
    }
    MemoryDC m_memory;
    DWORD* m_bits = nullptr;  // before m_bitmap, which sets it
    ScopedBitmap m_bitmap;
    SelectedObject m_selected;
    size_t m_count;
};

constexpr DWORD kWhitePixel = 0x00FFFFFFu;

constexpr DWORD Red(DWORD p) noexcept { return (p >> 16) & 0xFF; }
constexpr DWORD Green(DWORD p) noexcept { return (p >> 8) & 0xFF; }
constexpr DWORD Blue(DWORD p) noexcept { return p & 0xFF; }
constexpr DWORD Above(DWORD a, DWORD b) noexcept { return a > b ? a - b : 0; }
constexpr DWORD Luminance(DWORD p) noexcept { return (299 * Red(p) + 587 * Green(p) + 114 * Blue(p) + 500) / 1000; }

// One channel of the target pixel `under` with the picture's grey laid over
// it at `cover` (0 transparent .. 255 opaque). `grey` is the picture's
// luminance already weighted by its cover, as an icon drawn onto black
// gives it. The grey is faded halfway toward the luminance of what lies
// beneath, so that the picture stays grey and reads as disabled on light
// and dark menus alike.
constexpr DWORD Faded(DWORD under, DWORD underLuminance, DWORD grey, DWORD cover) noexcept {
    const DWORD v = (under * (255 - cover) * 2 + grey * 255 + cover * underLuminance + 255) / 510;
    return v > 255 ? 255 : v;
}

// The top-left w x h pixels of a colour picture, weighted by their cover
// (`onBlack`), and that cover; false for a one-bit picture, which DrawStateA
// draws. Throws std::bad_alloc.
bool ReadPicture(HDC dc, const PictureMetrics& picture, LONG& w, LONG& h, std::vector<DWORD>& onBlack,
                 std::vector<DWORD>& cover) {
    if (picture.type == PICTYPE_BITMAP) {
        const HBITMAP bitmap = static_cast<HBITMAP>(picture.handle);
        BITMAP info{};
        if (GetObject(bitmap, sizeof info, &info) != sizeof info || info.bmBitsPixel * info.bmPlanes <= 1)
            return false;
        if (w > info.bmWidth) w = info.bmWidth;
        if (h > info.bmHeight) h = info.bmHeight;
        if (w <= 0 || h <= 0) return false;
        std::vector<DWORD> pixels;
        if (!ReadBitmapPixels(dc, bitmap, info, pixels)) return false;
        const size_t width = static_cast<size_t>(w), stride = static_cast<size_t>(info.bmWidth);
        onBlack.resize(width * static_cast<size_t>(h));
        for (size_t row = 0; row < static_cast<size_t>(h); ++row)
            for (size_t col = 0; col < width; ++col) onBlack[row * width + col] = pixels[row * stride + col];
        cover.assign(onBlack.size(), 255);  // a bitmap covers its whole rectangle
        return true;
    }

    const HICON icon = static_cast<HICON>(picture.handle);
    ICONINFO parts{};
    if (!GetIconInfo(icon, &parts)) return false;
    const ScopedBitmap color(parts.hbmColor), mask(parts.hbmMask);
    BITMAP info{};
    if (!color.get() || GetObject(color.get(), sizeof info, &info) != sizeof info ||
        info.bmBitsPixel * info.bmPlanes <= 1)
        return false;  // a monochrome icon
    if (w > info.bmWidth) w = info.bmWidth;
    if (h > info.bmHeight) h = info.bmHeight;
    if (w <= 0 || h <= 0) return false;
    // The system's own drawing on black and on white tells how far each
    // pixel covers what lies beneath, from the icon's alpha channel when it
    // has one and from its AND mask when it does not.
    Scratch scratch(dc, w, h);
    if (!scratch.Ready()) return false;
    scratch.Fill(0);
    if (!DrawIconEx(scratch.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL)) return false;
    onBlack = scratch.Pixels();
    scratch.Fill(kWhitePixel);
    if (!DrawIconEx(scratch.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL)) return false;
    const std::vector<DWORD> onWhite = scratch.Pixels();
    cover.resize(onBlack.size());
    for (size_t i = 0; i < onBlack.size(); ++i) {
        const DWORD b = onBlack[i], wh = onWhite[i];
        // How much of the white shows through, over the three channels.
        const DWORD shows = (Above(Red(wh), Red(b)) + Above(Green(wh), Green(b)) + Above(Blue(wh), Blue(b)) + 1) / 3;
        cover[i] = 255 - (shows > 255 ? 255 : shows);
    }
    return true;
}

// The disabled look of a colour picture on a true-colour target; false
// when DrawStateA is to draw it.
bool DrawGreyedCopy(HDC dc, const PictureMetrics& picture, LONG x, LONG y, LONG w, LONG h) noexcept {
    if (!TakesTrueColorBlit(dc)) return false;
    try {
        std::vector<DWORD> onBlack, cover;
        if (!ReadPicture(dc, picture, w, h, onBlack, cover)) return false;
        Scratch under(dc, w, h);
        if (!under.Ready() || !BitBlt(under.Dc(), 0, 0, w, h, dc, x, y, SRCCOPY)) return false;
        std::vector<DWORD> pixels = under.Pixels();
        for (size_t i = 0; i < pixels.size(); ++i) {
            const DWORD p = pixels[i], a = cover[i];
            if (!a) continue;
            const DWORD below = Luminance(p), grey = Luminance(onBlack[i]);
            pixels[i] = (Faded(Red(p), below, grey, a) << 16) | (Faded(Green(p), below, grey, a) << 8) |
                        Faded(Blue(p), below, grey, a);
        }
        return CopyTrueColorPixels(dc, x, y, w, h, pixels.data(), w);
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
    if (disabled ? DrawGreyedCopy(dc, picture, x, y, w, h)
                 : picture.type == PICTYPE_BITMAP &&
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
