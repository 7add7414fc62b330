#pragma once
// The .ico file of one icon drawn at several sizes: per canvas one image,
// 32 bits per pixel (BGRA, bottom-up) with its AND mask (set where the pixel
// is clear), in the order given.
#include <cstdint>
#include <vector>
#include "tools/mkicons/Canvas.h"

namespace mkicons {

std::vector<std::uint8_t> EncodeIco(const std::vector<Canvas>& images);

}  // namespace mkicons
