#include "tools/mkicons/IcoWriter.h"

namespace mkicons {
namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFFu);
    Put16(out, v >> 16);
}

constexpr std::uint32_t kHeader = 40;  // BITMAPINFOHEADER

std::uint32_t MaskRow(int n) { return static_cast<std::uint32_t>((n + 31) / 32) * 4; }  // rows padded to 32 bits

std::uint32_t ImageBytes(int n) {
    const auto side = static_cast<std::uint32_t>(n);
    return kHeader + side * side * 4 + MaskRow(n) * side;
}

// A bitmap header and the colour image and mask it describes.
void PutImage(std::vector<std::uint8_t>& out, const Canvas& canvas) {
    const int n = canvas.Size();
    const auto side = static_cast<std::uint32_t>(n);
    // The height counts the colour image and the mask.
    Put32(out, kHeader);
    Put32(out, side);
    Put32(out, 2 * side);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);  // uncompressed
    Put32(out, ImageBytes(n) - kHeader);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    // Colour image, bottom row first; clear pixels are black with alpha 0.
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x) {
            const Rgba c = canvas.At(x, y);
            const bool clear = c.a == 0;
            out.push_back(clear ? 0 : c.b);
            out.push_back(clear ? 0 : c.g);
            out.push_back(clear ? 0 : c.r);
            out.push_back(c.a);
        }
    // AND mask, bottom row first, most significant bit leftmost.
    for (int y = n - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(MaskRow(n), 0);
        for (int x = 0; x < n; ++x)
            if (canvas.At(x, y).a == 0) row[static_cast<size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeIco(const std::vector<Canvas>& images) {
    std::vector<std::uint8_t> out;
    // Directory: reserved, type 1 (icon), number of images.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(images.size()));
    // Entries: width, height (0 would mean 256), colour count (0: more than
    // 256), reserved, planes, bits per pixel, size and offset of the image.
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const Canvas& canvas : images) {
        const int n = canvas.Size();
        out.push_back(static_cast<std::uint8_t>(n < 256 ? n : 0));
        out.push_back(static_cast<std::uint8_t>(n < 256 ? n : 0));
        out.push_back(0);
        out.push_back(0);
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, ImageBytes(n));
        Put32(out, offset);
        offset += ImageBytes(n);
    }
    for (const Canvas& canvas : images) PutImage(out, canvas);
    return out;
}

}  // namespace mkicons
