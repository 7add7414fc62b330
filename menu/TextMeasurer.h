#pragma once
// Measures menu texts in one memory device context that the control keeps,
// so that a popup's items are measured without a screen DC each, and a font
// is selected only when the next text needs another one. Text extents in a
// memory DC made for the screen are the screen's.
#include <windows.h>
#include <string>

namespace quillon {

class TextMeasurer {
public:
    TextMeasurer() = default;
    ~TextMeasurer() { Reset(); }
    TextMeasurer(const TextMeasurer&) = delete;
    TextMeasurer& operator=(const TextMeasurer&) = delete;

    // Single-line extent of `text` in `font` (null: the DC's own font), "&"
    // marking an access key; at least the font's height. An empty text has
    // no width and the font's height.
    SIZE Measure(HFONT font, const std::wstring& text);
    // `font` is about to be deleted: it must not stay selected.
    void Releasing(HFONT font) noexcept;
    // Gives the DC back (the control's release).
    void Reset() noexcept;

private:
    HDC m_dc = nullptr;
    HGDIOBJ m_ownFont = nullptr;  // the DC's font before ours
    HFONT m_selected = nullptr;
    LONG m_fontHeight = 0;
};

}  // namespace quillon
