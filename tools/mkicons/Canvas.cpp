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

void Canvas::Set(int x, int y, Rgba c) {
    if (!Exact()) return FillScaled(x, y, x + 1, y + 1, c);
    SetPixel(x, y, c);
}

void Canvas::Fill(int x0, int y0, int x1, int y1, Rgba c) {
    if (!Exact()) return FillScaled(std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1, c);
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) SetPixel(x, y, c);
}

void Canvas::Frame(int x0, int y0, int x1, int y1, Rgba c) {
    Line(x0, y0, x1, y0, c);
    Line(x0, y1, x1, y1, c);
    Line(x0, y0, x0, y1, c);
    Line(x1, y0, x1, y1, c);
}

void Canvas::Line(int x0, int y0, int x1, int y1, Rgba c) { ThickLine(x0, y0, x1, y1, 1, c); }

void Canvas::ThickLine(int x0, int y0, int x1, int y1, int width, Rgba c) {
    if (!Exact()) return ThickLineScaled(x0, y0, x1, y1, width, c);
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
    if (!Exact()) return RingScaled(cx, cy, inner, outer, c, from, to);
    for (int y = 0; y < kGrid; ++y)
        for (int x = 0; x < kGrid; ++x)
            if (InRing(x + 0.5, y + 0.5, cx, cy, inner, outer, from, to)) SetPixel(x, y, c);
}

bool Canvas::InRing(double u, double v, double cx, double cy, double inner, double outer, double from, double to) {
    const double px = u - cx, py = cy - v;
    const double d = std::hypot(px, py);
    if (d < inner || d > outer) return false;
    double angle = std::atan2(py, px) * 180.0 / std::numbers::pi;
    if (angle < from) angle += 360.0;
    if (angle > to) angle -= 360.0;
    return angle >= from && angle <= to;
}

bool Canvas::Map(int x0, int y0, std::initializer_list<std::string_view> rows) {
    if (!Exact()) return MapScaled(x0, y0, rows);
    return ForEachCell(x0, y0, rows, [this](int x, int y, Rgba c) { SetPixel(x, y, c); });
}

// Exact at every size: the design grid's axis maps onto the pixels' own.
void Canvas::Mirror() {
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size / 2; ++x) std::swap(m_pixels[Index(x, y)], m_pixels[Index(m_size - 1 - x, y)]);
}

}  // namespace mkicons
