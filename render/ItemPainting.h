#pragma once
// Pieces shared by the bar and popup item painters.
#include <windows.h>
#include <string>
#include "control/Quillon.h"
#include "render/ColorUtils.h"
#include "render/PictureMetrics.h"

namespace quillon {

// A colour property as painted: the custom value when custom colours are
// on and it is set, else the default; system colours resolved. Painting
// resolves them in either mode, so this reads the control's own values
// rather than asking the container for its user mode every time.
inline COLORREF PaintColor(const Quillon& q, ColorRole role) {
    constexpr OLE_COLOR kNotSet = 0xFFFFFFFFu;
    if (q.Scheme().HighContrast()) return ColorScheme::HighContrastColor(role);
    const OLE_COLOR custom = q.CustomColor(role);
    return SystemColor(q.UseCustomColors() && custom != kNotSet ? custom : q.DefaultColor(role));
}

// The metrics of a picture the painters can draw; false for none, an empty
// one, or one that is neither a bitmap nor an icon, which are drawn as no
// picture at all.
inline bool DrawablePicture(const PictureMetrics* info, PictureMetrics& metrics) noexcept {
    metrics = info ? *info : PictureMetrics{};
    return info && info->Drawable();
}

// DrawStateA flags for a drawable picture: bitmap or icon, greyed when disabled.
inline UINT DrawStateFlags(const PictureMetrics& picture, bool disabled) noexcept {
    UINT flags = picture.type == PICTYPE_BITMAP ? DST_BITMAP : DST_ICON;
    if (disabled) flags |= DSS_DISABLED;
    return flags;
}

// Draws a drawable picture's top-left w by h pixels at (x, y), as DrawStateA
// does; see render/PictureDrawing.cpp.
void DrawPicture(HDC dc, const PictureMetrics& picture, LONG x, LONG y, LONG w, LONG h, bool disabled) noexcept;

// Draws one text of an item in the DC's font and `color`; a disabled,
// unselected text is first drawn once more in `embossColor`, in `embossRect`.
struct ItemText {
    const std::wstring& text;
    RECT rect;
    UINT format;
    LONG language;
    bool unicodeText;  // see CMenuItem::UnicodeText
};
void DrawItemTextWithEmboss(HDC hDC, const ItemText& text, COLORREF color, bool emboss, const RECT& embossRect,
                            COLORREF embossColor) noexcept;

}  // namespace quillon
