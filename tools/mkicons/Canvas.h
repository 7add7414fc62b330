#pragma once
// A 16 by 16 true-colour canvas with alpha and the few drawing operations
// the command icons are made of. Drawing outside the canvas is clipped.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace mkicons {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    constexpr bool operator==(const Rgba&) const = default;
};

constexpr Rgba Opaque(std::uint32_t rgb) {
    return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb), 255};
}

// The palette of the icons, by the letters that pixel maps use.
namespace colour {
inline constexpr Rgba kClear{};
inline constexpr Rgba kBlack = Opaque(0x000000);
inline constexpr Rgba kWhite = Opaque(0xFFFFFF);
inline constexpr Rgba kLight = Opaque(0xE8E8E8);
inline constexpr Rgba kSilver = Opaque(0xC0C0C0);
inline constexpr Rgba kGrey = Opaque(0x808080);
inline constexpr Rgba kDark = Opaque(0x404040);
inline constexpr Rgba kYellow = Opaque(0xF8D040);
inline constexpr Rgba kOchre = Opaque(0xD09828);
inline constexpr Rgba kBlue = Opaque(0x2060D0);
inline constexpr Rgba kSky = Opaque(0xB8DCFC);
inline constexpr Rgba kNavy = Opaque(0x103070);
inline constexpr Rgba kRed = Opaque(0xE02828);
inline constexpr Rgba kMaroon = Opaque(0x901010);
inline constexpr Rgba kGreen = Opaque(0x30A030);
inline constexpr Rgba kForest = Opaque(0x106010);
inline constexpr Rgba kBrown = Opaque(0xA06030);
inline constexpr Rgba kUmber = Opaque(0x603818);
}  // namespace colour

// '.' leaves the pixel alone; an unknown letter yields false.
bool ColourOfLetter(char letter, Rgba& out);

class Canvas {
public:
    static constexpr int kSize = 16;

    Rgba At(int x, int y) const { return Inside(x, y) ? m_pixels[Index(x, y)] : Rgba{}; }
    void Set(int x, int y, Rgba c) {
        if (Inside(x, y)) m_pixels[Index(x, y)] = c;
    }
    void Fill(int x0, int y0, int x1, int y1, Rgba c);   // inclusive corners
    void Frame(int x0, int y0, int x1, int y1, Rgba c);  // one pixel wide
    void Line(int x0, int y0, int x1, int y1, Rgba c);   // Bresenham
    // A line of square pens `width` pixels wide.
    void ThickLine(int x0, int y0, int x1, int y1, int width, Rgba c);
    // Pixels whose centres lie within `r` of (cx, cy); centres may be halves.
    void Disc(double cx, double cy, double r, Rgba c);
    // Pixels whose centres lie between `inner` and `outer` from (cx, cy),
    // limited to angles [from, to] in degrees (0 = right, 90 = up).
    void Ring(double cx, double cy, double inner, double outer, Rgba c, double from = 0, double to = 360);
    // A pixel map: one string per row from the top, one letter per pixel.
    // False when a row's letter is unknown.
    bool Map(int x0, int y0, std::initializer_list<std::string_view> rows);
    // Mirror left to right.
    void Mirror();

private:
    static bool Inside(int x, int y) { return x >= 0 && y >= 0 && x < kSize && y < kSize; }
    static int Index(int x, int y) { return y * kSize + x; }
    std::array<Rgba, kSize * kSize> m_pixels{};
};

}  // namespace mkicons
