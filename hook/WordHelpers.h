#pragma once
// Packing and unpacking of the two 16-bit halves of a 32-bit message value.
#include <cstdint>

namespace quillon {

// High word, sign-extended: 0xFFFF0000 -> -1, 0x00120034 -> 18.
constexpr int32_t HiWord(int64_t value) noexcept {
    return static_cast<int32_t>(static_cast<uint32_t>(value) & 0xFFFF0000u) / 65536;
}

// Low word as a positive number 0..65535.
constexpr int32_t LoWord(int64_t value) noexcept {
    return static_cast<int32_t>(static_cast<uint32_t>(value) & 0xFFFFu);
}

constexpr int32_t MakeLong(int32_t low, int32_t high) noexcept {
    return static_cast<int32_t>((static_cast<uint32_t>(high) << 16) | (static_cast<uint32_t>(low) & 0xFFFFu));
}

constexpr int32_t MakeLongHiLo(int32_t high, int32_t low) noexcept { return MakeLong(low, high); }

}  // namespace quillon
