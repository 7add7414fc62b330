// Painting top-level items of an owner-drawn menu bar: background,
// picture, centred caption, and the sunken, raised or flat frame of the
// selected item. Hot tracking (render/HotTracking.cpp) makes the system
// repaint a hot item here as selected.
#include "hook/Guard.h"
#include "menu/MenuItem.h"
#include "render/GdiScoped.h"
#include "render/Highlight.h"
#include "render/ItemFontSelection.h"
#include "render/ItemPainting.h"
#include "render/MakePicture.h"

namespace quillon {
namespace {

constexpr UINT kBarTextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

}  // namespace

void Quillon::DrawBarItem(CMenuItem& item, HDC hDC, bool selected, LONG cx, LONG cy, bool hideAccessKeys) {
    const bool disabled = item.Disabled();
    // 1. Background.
    Trap([&] {
        RECT r{0, 0, cx, cy};
        if (selected && PaintedHighlightStyle() == qlHighlightXP) {
            const COLORREF box = PaintColor(*this, m_bMenuLoopActive ? ColorRole::MenuBarBackground : ColorRole::MenuHighlight);
            FillHighlight(hDC, r, box, qlHighlightXP, PaintColor(*this, ColorRole::MenuHighlightBorder));
        } else {
            const COLORREF back =
                PaintColor(*this, PaintsCustomColors() && selected ? ColorRole::MenuBackground : ColorRole::MenuBarBackground);
            FillHighlight(hDC, r, back, qlHighlightPlain, back);
        }
    });
    // 2. Picture, its background colour swapped for the picture column's.
    LONG pictureWidth = 0;
    Trap([&] {
        PictureMetrics shown, picture;
        if (!DrawablePicture(ShownPictureOf(item, shown), picture)) return;
        pictureWidth = picture.width;
        const LONG x = m_menuMetrics.Scale(2);
        const LONG y = RoundHalfEven((cy - picture.height) / 2.0);
        DrawPicture(hDC, picture, x, y, picture.width, picture.height, disabled);
        const COLORREF pictureBack = SystemColor(item.PictureBackColor());
        if (PaintColor(*this, ColorRole::MenuBackground) != pictureBack && picture.type == PICTYPE_BITMAP)
            ReplaceColor(hDC, x, y, picture.width, picture.height, PaintColor(*this, ColorRole::BitmapBackground),
                         pictureBack);
    });
    // 3. Caption.
    Trap([&] {
        SetBkMode(hDC, TRANSPARENT);
        if (item.Caption().empty()) return;
        const COLORREF color = PaintColor(*this, disabled ? ColorRole::DisabledTextColor : ColorRole::TextColor);
        const RECT r{pictureWidth, 0, cx, cy};
        const LONG shift = m_menuMetrics.Scale(1);
        const RECT shifted{r.left + shift, r.top + shift, r.right, r.bottom};
        const UINT format =
            kBarTextFormat | (RightToLeft() ? DT_RTLREADING : 0) | (hideAccessKeys ? DT_HIDEPREFIX : 0);
        ItemFontSelection fonts(*this, hDC);
        fonts.Use(GetCachedItemFont(item, false));
        DrawItemTextWithEmboss(hDC, {item.Caption(), r, format, item.Language(), item.UnicodeText()}, color, disabled && !selected,
                               shifted, PaintColor(*this, ColorRole::HighlightedTextColor));
    });
    // 4. Frame of the selected item.
    Trap([&] {
        if (!selected) return;
        RECT r{0, 0, cx, cy};
        if (PaintedMenuBorder() == qlBorderFlat || PaintedMenuBorder() == qlBorderFlatWithShadow)
            DrawItemFrame(hDC, r, true);
        else
            DrawEdge(hDC, &r, m_bMenuLoopActive ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    });
}

void Quillon::DrawItemFrame(HDC hDC, const RECT& rect, bool closeBottom) {
    SelectedObject pen(hDC, HighlightBorderPen());
    MoveToEx(hDC, rect.left, rect.bottom - 1, nullptr);
    LineTo(hDC, rect.left, rect.top);
    LineTo(hDC, rect.right - 1, rect.top);
    LineTo(hDC, rect.right - 1, rect.bottom - 1);
    if (closeBottom) LineTo(hDC, rect.left, rect.bottom - 1);
}

}  // namespace quillon
