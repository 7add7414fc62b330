#include "tools/mkicons/Canvas.h"
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace mkicons {

bool ColourOfLetter(char letter, Rgba& out) {
    using namespace colour;
    switch (letter) {
    case 'k': out = kBlack; return true;
    case 'w': out = kWhite; return true;
    case 'l': out = kLight; return true;
    case 's': out = kSilver; return true;
    case 'g': out = kGrey; return true;
    case 'd': out = kDark; return true;
    case 'y': out = kYellow; return true;
    case 'o': out = kOchre; return true;
    case 'b': out = kBlue; return true;
    case 'c': out = kSky; return true;
    case 'n': out = kNavy; return true;
    case 'r': out = kRed; return true;
    case 'R': out = kMaroon; return true;
    case 'G': out = kGreen; return true;
    case 'D': out = kForest; return true;
    case 'm': out = kBrown; return true;
    case 'M': out = kUmber; return true;
    default: return false;
    }
}

void Canvas::Fill(int x0, int y0, int x1, int y1, Rgba c) {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) Set(x, y, c);
}

void Canvas::Frame(int x0, int y0, int x1, int y1, Rgba c) {
    Line(x0, y0, x1, y0, c);
    Line(x0, y1, x1, y1, c);
    Line(x0, y0, x0, y1, c);
    Line(x1, y0, x1, y1, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgba c) { ThickLine(x0, y0, x1, y1, 1, c); }

void Canvas::ThickLine(int x0, int y0, int x1, int y1, int width, Rgba c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        Fill(x0, y0, x0 + width - 1, y0 + width - 1, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::Disc(double cx, double cy, double r, Rgba c) { Ring(cx, cy, -1.0, r, c); }

void Canvas::Ring(double cx, double cy, double inner, double outer, Rgba c, double from, double to) {
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double px = x + 0.5 - cx, py = cy - (y + 0.5);
            const double d = std::hypot(px, py);
            if (d < inner || d > outer) continue;
            double angle = std::atan2(py, px) * 180.0 / std::numbers::pi;
            if (angle < from) angle += 360.0;
            if (angle > to) angle -= 360.0;
            if (angle >= from && angle <= to) Set(x, y, c);
        }
}

bool Canvas::Map(int x0, int y0, std::initializer_list<std::string_view> rows) {
    const size_t width = rows.size() ? rows.begin()->size() : 0;
    int y = y0;
    for (std::string_view row : rows) {
        if (row.size() != width) return false;  // a ragged map is a typing error
        int x = x0;
        for (char letter : row) {
            Rgba c;
            if (letter != '.') {
                if (!ColourOfLetter(letter, c)) return false;
                Set(x, y, c);
            }
            ++x;
        }
        ++y;
    }
    return true;
}

void Canvas::Mirror() {
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize / 2; ++x) std::swap(m_pixels[Index(x, y)], m_pixels[Index(kSize - 1 - x, y)]);
}

}  // namespace mkicons
