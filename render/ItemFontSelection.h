#pragma once
// Keeps the control's cached font selected into one DC across the texts of
// an item, and puts the DC's own font back at the end. An item draws two
// texts, usually in the same font, and selecting a font is not free on some
// systems (a microsecond or more under Wine). While a selection is alive
// the font cache tells it before deleting a font, so the cache never
// deletes a font that is still selected.
#include <windows.h>

namespace quillon {

class Quillon;

class ItemFontSelection {
public:
    ItemFontSelection(Quillon& q, HDC dc) noexcept;
    ~ItemFontSelection();
    ItemFontSelection(const ItemFontSelection&) = delete;
    ItemFontSelection& operator=(const ItemFontSelection&) = delete;

    // Selects `font`, a font of the control's cache; null keeps the DC's.
    void Use(HFONT font) noexcept;
    // The cache is about to delete `font`.
    void Releasing(HFONT font) noexcept;

private:
    void Restore() noexcept;

    Quillon& m_q;
    HDC m_dc;
    ItemFontSelection* m_outer;  // a selection of a painting this one runs inside
    HGDIOBJ m_original = nullptr;
    HFONT m_current = nullptr;
};

}  // namespace quillon
