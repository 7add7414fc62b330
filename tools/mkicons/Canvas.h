#pragma once
// A square true-colour canvas with alpha and the few drawing operations the
// command icons are made of. Drawings are written in a 16 by 16 design grid
// and rendered at the canvas's size: at 16 pixels exactly as designed, pixel
// for pixel; at other sizes scaled (CanvasScaled.cpp). Drawing outside the
// canvas is clipped.
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

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
    static constexpr int kGrid = 16;  // the design grid every drawing uses

    explicit Canvas(int size = kGrid) : m_size(size), m_pixels(static_cast<size_t>(size * size)) {}
    int Size() const { return m_size; }

    // A pixel of the rendered image (pixels, not design units).
    Rgba At(int x, int y) const { return Inside(x, y) ? m_pixels[Index(x, y)] : Rgba{}; }

    // The operations below take design-grid coordinates.
    void Set(int x, int y, Rgba c);                      // one cell
    void Fill(int x0, int y0, int x1, int y1, Rgba c);   // inclusive corners
    void Frame(int x0, int y0, int x1, int y1, Rgba c);  // one cell wide
    void Line(int x0, int y0, int x1, int y1, Rgba c);   // Bresenham at 16 pixels
    // A line of square pens `width` cells wide.
    void ThickLine(int x0, int y0, int x1, int y1, int width, Rgba c);
    // The points within `r` of (cx, cy) (at 16 pixels: the pixels whose
    // centres are); centres may be halves.
    void Disc(double cx, double cy, double r, Rgba c);
    // The points between `inner` and `outer` from (cx, cy), limited to angles
    // [from, to] in degrees (0 = right, 90 = up); at 16 pixels by centres too.
    void Ring(double cx, double cy, double inner, double outer, Rgba c, double from = 0, double to = 360);
    // A pixel map: one string per row from the top, one letter per cell.
    // False when a row's letter is unknown.
    bool Map(int x0, int y0, std::initializer_list<std::string_view> rows);
    // Mirror left to right.
    void Mirror();

private:
    class Layer;

    bool Exact() const { return m_size == kGrid; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_size && y < m_size; }
    size_t Index(int x, int y) const { return static_cast<size_t>(y * m_size + x); }
    void SetPixel(int x, int y, Rgba c) {
        if (Inside(x, y)) m_pixels[Index(x, y)] = c;
    }

    // The scaled path (CanvasScaled.cpp), in design units.
    void FillScaled(double x0, double y0, double x1, double y1, Rgba c);  // half-open area
    void ThickLineScaled(int x0, int y0, int x1, int y1, int width, Rgba c);
    void RingScaled(double cx, double cy, double inner, double outer, Rgba c, double from, double to);
    bool MapScaled(int x0, int y0, std::initializer_list<std::string_view> rows);
    void Lay(const Layer& layer);

    // Whether the point (u, v) of the design grid lies on the ring of Ring().
    static bool InRing(double u, double v, double cx, double cy, double inner, double outer, double from, double to);

    // Calls cell(x, y, colour) for every lettered cell of a pixel map, row by
    // row; false at the first ragged row or unknown letter.
    template <class Cell>
    static bool ForEachCell(int x0, int y0, std::initializer_list<std::string_view> rows, Cell cell) {
        const size_t width = rows.size() ? rows.begin()->size() : 0;
        int y = y0;
        for (std::string_view row : rows) {
            if (row.size() != width) return false;  // a ragged map is a typing error
            int x = x0;
            for (char letter : row) {
                Rgba c;
                if (letter != '.') {
                    if (!ColourOfLetter(letter, c)) return false;
                    cell(x, y, c);
                }
                ++x;
            }
            ++y;
        }
        return true;
    }

    int m_size;
    std::vector<Rgba> m_pixels;
};

}  // namespace mkicons
