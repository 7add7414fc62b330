#pragma once
// Writes 24-bit PNG files from device-independent bitmaps: uncompressed
// deflate blocks, so no compression library is needed.
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <string>

namespace quillon::test {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* data, size_t size, uint32_t adler = 1);

// `info` describes a 24- or 32-bit uncompressed DIB (top-down or
// bottom-up) whose pixels are `bits`. False when the format is not one of
// those or the file cannot be written.
bool WritePng(const std::string& path, const BITMAPINFOHEADER& info, const void* bits);

}  // namespace quillon::test
