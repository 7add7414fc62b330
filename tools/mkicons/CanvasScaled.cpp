// The canvas at sizes other than the design grid: the same drawing rendered
// at the target resolution rather than enlarged from its 16 pixels. Areas
// count how much of each pixel they cover, so their edges anti-alias where
// they fall between pixels and stay crisp where they do not (every edge at 32
// and 48). Lines get a whole number of pixels for their width and snap to
// pixel edges. Circles are sampled on a grid of points inside each pixel.
#include <algorithm>
#include <cmath>
#include "tools/mkicons/Canvas.h"

namespace mkicons {

// What one drawing operation lays over the image: per pixel the share it
// covers and its colour, premultiplied by alpha and weighted by that share.
// Parts of one operation add up, so the cells of a pixel map meet without
// seams.
class Canvas::Layer {
public:
    explicit Layer(int size) : m_size(size), m_cover(static_cast<size_t>(size * size)) {}

    void Add(int x, int y, double share, Rgba c) {
        if (share <= 0 || x < 0 || y < 0 || x >= m_size || y >= m_size) return;
        Cover& p = m_cover[static_cast<size_t>(y * m_size + x)];
        const double alpha = share * c.a / 255.0;
        p.r += alpha * c.r;
        p.g += alpha * c.g;
        p.b += alpha * c.b;
        p.a += alpha * 255.0;
        p.share += share;
    }

    // Area coverage of the rectangle [x0, x1) x [y0, y1), in pixels.
    void AddArea(double x0, double y0, double x1, double y1, Rgba c) {
        for (int y = static_cast<int>(std::floor(y0)); y < y1; ++y)
            for (int x = static_cast<int>(std::floor(x0)); x < x1; ++x)
                Add(x, y, Overlap(x, x0, x1) * Overlap(y, y0, y1), c);
    }

    // Coverage of the pixels in [x0, x1) x [y0, y1) by the shape `inside`
    // (a test of a point in pixels), from kSamples^2 points per pixel.
    template <class Inside>
    void AddShape(int x0, int y0, int x1, int y1, Inside inside, Rgba c) {
        constexpr int kSamples = 8;
        for (int y = std::max(y0, 0); y < std::min(y1, m_size); ++y)
            for (int x = std::max(x0, 0); x < std::min(x1, m_size); ++x) {
                int hits = 0;
                for (int j = 0; j < kSamples; ++j)
                    for (int i = 0; i < kSamples; ++i)
                        hits += inside(x + (i + 0.5) / kSamples, y + (j + 0.5) / kSamples) ? 1 : 0;
                Add(x, y, static_cast<double>(hits) / (kSamples * kSamples), c);
            }
    }

    struct Cover {
        double r = 0, g = 0, b = 0, a = 0, share = 0;
    };
    const Cover& At(int x, int y) const { return m_cover[static_cast<size_t>(y * m_size + x)]; }

private:
    static double Overlap(int pixel, double from, double to) {
        return std::max(0.0, std::min(pixel + 1.0, to) - std::max(static_cast<double>(pixel), from));
    }

    int m_size;
    std::vector<Cover> m_cover;
};

namespace {

std::uint8_t Byte(double v) { return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

}  // namespace

// Where a layer covers a pixel wholly it replaces it, like Set on the grid
// (a clear colour erases); partly, it blends in proportion.
void Canvas::Lay(const Layer& layer) {
    for (int y = 0; y < m_size; ++y)
        for (int x = 0; x < m_size; ++x) {
            const Layer::Cover& top = layer.At(x, y);
            if (top.share <= 0) continue;
            Rgba& p = m_pixels[Index(x, y)];
            const double keep = std::max(0.0, 1.0 - top.share) * p.a / 255.0;
            const double a = top.a + keep * 255.0;
            if (a <= 0) {
                p = Rgba{};
                continue;
            }
            p = {Byte((top.r + keep * p.r) * 255.0 / a), Byte((top.g + keep * p.g) * 255.0 / a),
                 Byte((top.b + keep * p.b) * 255.0 / a), Byte(a)};
        }
}

void Canvas::FillScaled(double x0, double y0, double x1, double y1, Rgba c) {
    const double scale = m_size / static_cast<double>(kGrid);
    Layer layer(m_size);
    layer.AddArea(x0 * scale, y0 * scale, x1 * scale, y1 * scale, c);
    Lay(layer);
}

bool Canvas::MapScaled(int x0, int y0, std::initializer_list<std::string_view> rows) {
    const double scale = m_size / static_cast<double>(kGrid);
    Layer layer(m_size);
    const bool ok = ForEachCell(x0, y0, rows, [&](int x, int y, Rgba c) {
        layer.AddArea(x * scale, y * scale, (x + 1) * scale, (y + 1) * scale, c);
    });
    Lay(layer);
    return ok;
}

// The grid's square pen, its side scaled to the nearest whole number of
// pixels (at least one, ties to the thinner), placed on whole pixels and
// swept from one end to the other: straight lines come out crisp.
void Canvas::ThickLineScaled(int x0, int y0, int x1, int y1, int width, Rgba c) {
    const double scale = m_size / static_cast<double>(kGrid);
    const double pen = std::max(1.0, std::ceil(width * scale - 0.5));
    const auto corner = [&](int v) { return std::floor((v + width / 2.0) * scale - pen / 2.0 + 0.5); };
    const double ax = corner(x0), ay = corner(y0), dx = corner(x1) - ax, dy = corner(y1) - ay;
    // Inside when some pen position t in [0, 1] holds the point on both axes.
    const auto inside = [&](double px, double py) {
        double from = 0.0, to = 1.0;
        const auto limit = [&](double offset, double d) {
            if (d == 0) {
                if (offset < 0 || offset >= pen) to = -1.0;
                return;
            }
            const double t0 = (offset - pen) / d, t1 = offset / d;
            from = std::max(from, std::min(t0, t1));
            to = std::min(to, std::max(t0, t1));
        };
        limit(px - ax, dx);
        limit(py - ay, dy);
        return from <= to;
    };
    Layer layer(m_size);
    const auto lo = [](double a, double d) { return static_cast<int>(std::min(a, a + d)); };
    const auto hi = [&](double a, double d) { return static_cast<int>(std::max(a, a + d) + pen); };
    layer.AddShape(lo(ax, dx), lo(ay, dy), hi(ax, dx), hi(ay, dy), inside, c);
    Lay(layer);
}

void Canvas::RingScaled(double cx, double cy, double inner, double outer, Rgba c, double from, double to) {
    const double scale = m_size / static_cast<double>(kGrid);
    const auto inside = [&](double px, double py) {
        return InRing(px / scale, py / scale, cx, cy, inner, outer, from, to);
    };
    Layer layer(m_size);
    layer.AddShape(static_cast<int>(std::floor((cx - outer) * scale)), static_cast<int>(std::floor((cy - outer) * scale)),
                   static_cast<int>(std::ceil((cx + outer) * scale)), static_cast<int>(std::ceil((cy + outer) * scale)),
                   inside, c);
    Lay(layer);
}

}  // namespace mkicons
