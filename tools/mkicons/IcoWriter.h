#pragma once
// The .ico file of a canvas: one 16 by 16 image, 32 bits per pixel
// (BGRA, bottom-up) with its AND mask (set where the pixel is clear).
#include <cstdint>
#include <vector>
#include "tools/mkicons/Canvas.h"

namespace mkicons {

std::vector<std::uint8_t> EncodeIco(const Canvas& canvas);

}  // namespace mkicons
