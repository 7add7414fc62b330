#pragma once
// The solid bands of a gradient. Filling each with a brush of its own costs
// a brush and a fill per band, up to one per column; on a true-colour target
// the bands are instead gathered into one pixel buffer and copied at once,
// which sets exactly the pixels the fills would. A band is covered as
// FillRect covers it, swapped edges included.
#include <windows.h>
#include <vector>

namespace quillon {

class BandPainter {
public:
    // `gather`: collect the bands and copy them at the end when the target
    // takes true colour; otherwise each is filled as it comes.
    BandPainter(HDC dc, bool gather) noexcept;
    ~BandPainter();  // paints what was gathered
    BandPainter(const BandPainter&) = delete;
    BandPainter& operator=(const BandPainter&) = delete;

    void Fill(const RECT& band, COLORREF color) noexcept;

private:
    struct Band {
        RECT rect;     // as given
        RECT covered;  // the pixels FillRect paints, edges in order
        COLORREF color;
    };
    void PaintGathered() noexcept;
    bool CopyGathered() const;

    HDC m_dc;
    bool m_gather;
    std::vector<Band> m_bands;
};

}  // namespace quillon
