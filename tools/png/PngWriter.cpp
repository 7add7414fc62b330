#include "tools/png/PngWriter.h"
#include <algorithm>
#include <cstdio>
#include <vector>

namespace quillon::png {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
    static const auto table = [] {
        std::vector<uint32_t> t(256);
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    crc = ~crc;
    for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

uint32_t Adler32(const uint8_t* data, size_t size, uint32_t adler) {
    uint32_t a = adler & 0xFFFF, b = adler >> 16;
    for (size_t i = 0; i < size; ++i) {
        a = (a + data[i]) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

namespace {

void PutBE32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char type[4], const std::vector<uint8_t>& data) {
    PutBE32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBE32(out, Crc32(out.data() + start, out.size() - start));
}

// Deflate's bit order: values least significant bit first, Huffman codes
// most significant bit first.
class BitWriter {
public:
    explicit BitWriter(std::vector<uint8_t>& out) : m_out(out) {}
    void Bits(uint32_t value, int count) {
        m_buffer |= value << m_count;
        m_count += count;
        while (m_count >= 8) {
            m_out.push_back(static_cast<uint8_t>(m_buffer));
            m_buffer >>= 8;
            m_count -= 8;
        }
    }
    void Code(uint32_t code, int length) {
        uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
        Bits(reversed, length);
    }
    void Flush() {
        if (m_count > 0) m_out.push_back(static_cast<uint8_t>(m_buffer));
        m_buffer = 0;
        m_count = 0;
    }

private:
    std::vector<uint8_t>& m_out;
    uint32_t m_buffer = 0;
    int m_count = 0;
};

// The fixed literal/length code of deflate.
void Literal(BitWriter& w, unsigned symbol) {
    if (symbol < 144) w.Code(0x30 + symbol, 8);
    else if (symbol < 256) w.Code(0x190 + symbol - 144, 9);
    else if (symbol < 280) w.Code(symbol - 256, 7);
    else w.Code(0xC0 + symbol - 280, 8);
}

constexpr uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                      31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t kDistBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

void Match(BitWriter& w, unsigned length, unsigned distance) {
    int l = 28;
    while (kLengthBase[l] > length) --l;
    Literal(w, 257 + static_cast<unsigned>(l));
    w.Bits(length - kLengthBase[l], kLengthExtra[l]);
    int d = 29;
    while (kDistBase[d] > distance) --d;
    w.Code(static_cast<uint32_t>(d), 5);
    w.Bits(distance - kDistBase[d], kDistExtra[d]);
}

// One fixed-code block; matches found through hash chains over a 32 KiB window.
void Deflate(const std::vector<uint8_t>& raw, std::vector<uint8_t>& out) {
    constexpr size_t kWindow = 32768, kMaxMatch = 258, kMinMatch = 3;
    constexpr int kHashBits = 15, kMaxChain = 24;
    BitWriter w(out);
    w.Bits(1, 1);  // BFINAL
    w.Bits(1, 2);  // BTYPE 01: fixed codes
    const size_t n = raw.size();
    std::vector<int32_t> head(size_t{1} << kHashBits, -1), prev(kWindow, -1);
    auto hash = [&](size_t i) {
        const uint32_t v = (uint32_t{raw[i]} << 16) | (uint32_t{raw[i + 1]} << 8) | raw[i + 2];
        return (v * 2654435761u) >> (32 - kHashBits);
    };
    auto insert = [&](size_t i) {
        if (i + kMinMatch > n) return;
        const uint32_t h = hash(i);
        prev[i % kWindow] = head[h];
        head[h] = static_cast<int32_t>(i);
    };
    size_t i = 0;
    while (i < n) {
        size_t bestLength = 0, bestDistance = 0;
        if (i + kMinMatch <= n) {
            int32_t candidate = head[hash(i)];
            const size_t limit = std::min(kMaxMatch, n - i);
            for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
                const size_t c = static_cast<size_t>(candidate);
                if (i - c > kWindow - 1) break;
                size_t length = 0;
                while (length < limit && raw[c + length] == raw[i + length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - c;
                    if (length == limit) break;
                }
                const int32_t next = prev[c % kWindow];
                if (next >= candidate) break;  // the slot was reused by a newer position
                candidate = next;
            }
        }
        if (bestLength >= kMinMatch) {
            Match(w, static_cast<unsigned>(bestLength), static_cast<unsigned>(bestDistance));
            for (size_t k = 0; k < bestLength; ++k) insert(i + k);
            i += bestLength;
        } else {
            Literal(w, raw[i]);
            insert(i);
            ++i;
        }
    }
    Literal(w, 256);  // end of block
    w.Flush();
}

}  // namespace

std::vector<uint8_t> Zlib(const std::vector<uint8_t>& raw) {
    std::vector<uint8_t> z = {0x78, 0x01};
    Deflate(raw, z);
    PutBE32(z, Adler32(raw.data(), raw.size()));
    return z;
}

std::vector<uint8_t> EncodePng(const BITMAPINFOHEADER& info, const void* bits) {
    if (info.biCompression != BI_RGB || (info.biBitCount != 24 && info.biBitCount != 32) || !bits) return {};
    const int width = info.biWidth, height = info.biHeight < 0 ? -info.biHeight : info.biHeight;
    if (width <= 0 || height <= 0) return {};
    const bool topDown = info.biHeight < 0;
    const size_t bytesPerPixel = info.biBitCount / 8;
    const size_t stride = (static_cast<size_t>(width) * info.biBitCount + 31) / 32 * 4;

    std::vector<uint8_t> raw;
    raw.reserve((static_cast<size_t>(width) * 3 + 1) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const uint8_t*>(bits) + stride * static_cast<size_t>(topDown ? y : height - 1 - y);
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) {
            const uint8_t* p = row + bytesPerPixel * static_cast<size_t>(x);
            raw.push_back(p[2]);
            raw.push_back(p[1]);
            raw.push_back(p[0]);
        }
    }

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBE32(header, static_cast<uint32_t>(width));
    PutBE32(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter set, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", Zlib(raw));
    PutChunk(png, "IEND", {});
    return png;
}

namespace {

bool WriteBytes(FILE* file, const std::vector<uint8_t>& png) {
    if (!file) return false;
    const bool ok = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && ok;
}

}  // namespace

bool WritePng(const std::string& path, const BITMAPINFOHEADER& info, const void* bits) {
    const std::vector<uint8_t> png = EncodePng(info, bits);
    return !png.empty() && WriteBytes(std::fopen(path.c_str(), "wb"), png);
}

bool WritePng(const std::wstring& path, const BITMAPINFOHEADER& info, const void* bits) {
    const std::vector<uint8_t> png = EncodePng(info, bits);
    return !png.empty() && WriteBytes(_wfopen(path.c_str(), L"wb"), png);
}

}  // namespace quillon::png
