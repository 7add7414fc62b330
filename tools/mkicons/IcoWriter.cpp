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

}  // namespace

std::vector<std::uint8_t> EncodeIco(const Canvas& canvas) {
    constexpr int n = Canvas::kSize;
    constexpr std::uint32_t kHeader = 40;
    constexpr std::uint32_t kColourBytes = n * n * 4;
    constexpr std::uint32_t kMaskRow = ((n + 31) / 32) * 4;  // rows padded to 32 bits
    constexpr std::uint32_t kMaskBytes = kMaskRow * n;
    constexpr std::uint32_t kImageBytes = kHeader + kColourBytes + kMaskBytes;
    constexpr std::uint32_t kImageOffset = 6 + 16;

    std::vector<std::uint8_t> out;
    out.reserve(kImageOffset + kImageBytes);
    // Directory: reserved, type 1 (icon), one entry.
    Put16(out, 0);
    Put16(out, 1);
    Put16(out, 1);
    // Entry: width, height, colour count (0: more than 256), reserved,
    // planes, bits per pixel, size and offset of the image.
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(0);
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, kImageBytes);
    Put32(out, kImageOffset);
    // Bitmap header: the height counts the colour image and the mask.
    Put32(out, kHeader);
    Put32(out, n);
    Put32(out, 2 * n);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, 0);  // uncompressed
    Put32(out, kColourBytes + kMaskBytes);
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
        std::vector<std::uint8_t> row(kMaskRow, 0);
        for (int x = 0; x < n; ++x)
            if (canvas.At(x, y).a == 0) row[static_cast<size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace mkicons
