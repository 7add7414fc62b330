#pragma once
// Writes 24-bit PNG files from device-independent bitmaps. The deflate
// stream is made here (fixed Huffman codes over LZ77 matches), so no
// compression library is needed.
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quillon::png {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* data, size_t size, uint32_t adler = 1);

// A complete zlib stream holding `raw`.
std::vector<uint8_t> Zlib(const std::vector<uint8_t>& raw);

// The PNG file's bytes. `info` describes a 24- or 32-bit uncompressed DIB
// (top-down or bottom-up) whose pixels are `bits`; empty when the format is
// not one of those.
std::vector<uint8_t> EncodePng(const BITMAPINFOHEADER& info, const void* bits);

// False when the format is not one of those or the file cannot be written.
bool WritePng(const std::string& path, const BITMAPINFOHEADER& info, const void* bits);
bool WritePng(const std::wstring& path, const BITMAPINFOHEADER& info, const void* bits);

}  // namespace quillon::png
