// Painting items of drop-down menus: background and picture column, the
// selection bar, the picture cell, separators, caption and shortcut. Over a
// background picture an unselected item's text is XORed onto the tile
// through a one-bit mask, so it stays readable on any picture.
#include "hook/Guard.h"
#include "menu/MenuItem.h"
#include "render/GdiScoped.h"
#include "render/Highlight.h"
#include "render/ItemFontSelection.h"
#include "render/ItemGeometry.h"
#include "render/ItemPainting.h"
#include "render/ItemText.h"

namespace quillon {
namespace {

constexpr UINT kPopupTextFormat = DT_SINGLELINE | DT_VCENTER;
constexpr UINT kRightToLeftTextFormat = DT_RIGHT | DT_RTLREADING;

void FillPlain(HDC hDC, LONG left, LONG top, LONG right, LONG bottom, COLORREF color) {
    RECT r{left, top, right, bottom};
    FillHighlight(hDC, r, color, qlHighlightPlain, color);
}

// One popup item being painted: what the steps share.
class PopupItemPainter {
public:
    PopupItemPainter(Quillon& q, CMenuItem& item, HDC hDC, bool selected, LONG cx, LONG cy, bool hideAccessKeys)
        : q(q), item(item), dc(hDC), selected(selected), cx(cx), cy(cy), hideAccessKeys(hideAccessKeys) {}

    void Gather(const PictureMetrics* checkMark) {
        picW = q.GetPictureColumnWidth(item);
        keyW = q.GetMaxShortcutWidth(item);
        ownPicture = item.Picture() != nullptr;
        PictureMetrics own;
        const PictureMetrics* shown = ownPicture ? q.ShownPictureOf(item, own) : item.Checked() ? checkMark : nullptr;
        // A radio item shows a bullet unless the host gave a check mark picture.
        radioBullet = !ownPicture && item.Checked() && item.RadioCheck() && !q.CheckMarkPicture();
        if (radioBullet) shown = nullptr;
        // An empty picture, or one neither bitmap nor icon, leaves the cell as it is.
        hasPicture = DrawablePicture(shown, picture);
        style = q.PaintedHighlightStyle();
        border = q.PaintedMenuBorder();
        rtl = q.RightToLeft();
        background = q.PaintedBackgroundPicture() != nullptr;
        // The control's own sizes at the DPI painted for.
        const SystemMenuMetrics& metrics = q.MenuMetrics();
        px1 = metrics.Scale(1);
        px2 = metrics.Scale(2);
        shadowWidth = metrics.ShadowWidth();
        textGap = metrics.Scale(6);
        minBullet = metrics.Scale(4);
        const ShadowAllowance a = ShadowAllowanceOf(border, item.IsLast(), shadowWidth);
        dx = a.dx;
        dy = a.dy;
        height = cy - dy;
        menuBack = PaintColor(q, ColorRole::MenuBackground);
        bitmapBack = PaintColor(q, ColorRole::BitmapBackground);
    }

    // Menu background, then the picture column.
    void Background() {
        FillPlain(dc, 0, 0, cx, cy, menuBack);
        LONG left = 0;
        if (rtl) left = (cx - dx) - picW - px1 - (border == qlBorderFlat ? shadowWidth : 0);
        RECT column{left, 0, left + picW + px1, height};
        FillRect(dc, &column, q.BitmapBackgroundBrush());
    }

    void Separator() {
        const LONG columnLeft = rtl ? cx - picW - (border == qlBorderFlatWithShadow ? shadowWidth : 0) : 0;
        const LONG h2 = RoundHalfEven(height / 2.0);
        const bool xp = style == qlHighlightXP;
        if (!xp && bitmapBack == menuBack) {
            RECT r{border == qlBorderNormal ? px2 : 0, h2, cx - px2, h2 + 2};
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
            return;
        }
        if (!background) {
            RECT column{columnLeft, 0, columnLeft + picW, height};
            FillRect(dc, &column, q.BitmapBackgroundBrush());
        }
        const LONG from = rtl ? 0 : picW + px2;
        const LONG to = rtl ? cx - picW - px2 : cx - px2;
        if (xp) {
            FillPlain(dc, from, h2, to, h2 + px1, PaintColor(q, ColorRole::DisabledTextColor));
            return;
        }
        FillPlain(dc, from, h2, to, h2 + px1, DarkenColor(DarkenColor(menuBack)));
        const LONG y2 = RoundHalfEven(height / 2.0 + px1);
        FillPlain(dc, from, y2, to, y2 + px2, LightenColor(LightenColor(menuBack)));
    }

    // The selection bar: gradients run from MenuHighlight into the menu
    // background; XP is a box outlined in MenuHighlightBorder. It spares the
    // picture column when the item's own picture or the column's colour
    // sets it apart (a check mark alone does not).
    void Highlight() {
        if (!selected) return;
        const bool xp = style == qlHighlightXP;
        const bool plainColumn = !ownPicture && menuBack == bitmapBack;
        RECT r{(plainColumn || xp || rtl) ? 0 : picW + px2, 0, border == qlBorderFlatWithShadow ? cx - shadowWidth : cx,
               height};
        if (rtl && !plainColumn && !xp) r.right -= picW + px2;
        const COLORREF second = xp ? PaintColor(q, ColorRole::MenuHighlightBorder) : menuBack;
        FillHighlight(dc, r, PaintColor(q, ColorRole::MenuHighlight), style, second);
    }

    void PictureCell() {
        if (!hasPicture && !radioBullet) return;
        const LONG shadowShift = border == qlBorderFlatWithShadow ? shadowWidth : 0;
        const bool xp = style == qlHighlightXP;
        if (radioBullet) {
            Bullet(shadowShift);
        } else {
            const LONG w = picture.width < picW ? picture.width : picW;
            const LONG h = picture.height < height ? picture.height : height;
            LONG x = RoundHalfEven((picW - w) / 2.0);
            if (rtl) x = RoundHalfEven((picW - w) / 2.0 + (cx - picW)) - shadowShift;
            const LONG y = RoundHalfEven((height - h) / 2.0);
            const COLORREF back = xp && selected ? PaintColor(q, ColorRole::MenuHighlight) : bitmapBack;
            const COLORREF oldBack = SetBkColor(dc, back);
            DrawPicture(dc, picture, x, y, w, h, item.Disabled());
            if (oldBack != CLR_INVALID) SetBkColor(dc, oldBack);
        }

        const LONG cellLeft = rtl ? cx - picW - shadowShift : 0;
        if (!xp) {
            if (!item.Checked() && !selected) return;
            RECT cell{cellLeft, 0, cellLeft + picW, height};
            DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
            return;
        }
        if (!item.Checked()) return;
        const LONG left = rtl ? cellLeft : px1;
        const LONG right = left + picW - px2, bottom = height - px2;
        SelectedObject pen(dc, q.HighlightBorderPen());
        MoveToEx(dc, left, px1, nullptr);
        LineTo(dc, right, px1);
        LineTo(dc, right, bottom);
        LineTo(dc, left, bottom);
        LineTo(dc, left, px1);
    }

    // The radio check: a round bullet in the text colour, half a check mark wide.
    void Bullet(LONG shadowShift) {
        LONG d = q.MenuMetrics().CheckWidth() / 2;
        if (d < minBullet) d = minBullet;
        const LONG cellLeft = rtl ? cx - picW - shadowShift : 0;
        const LONG x = cellLeft + RoundHalfEven((picW - d) / 2.0);
        const LONG y = RoundHalfEven((height - d) / 2.0);
        COLORREF color = PaintColor(q, selected ? ColorRole::HighlightedTextColor : ColorRole::TextColor);
        if (item.Disabled()) color = PaintColor(q, ColorRole::DisabledTextColor);
        SolidBrush brush(color);
        SelectedObject heldBrush(dc, brush.get());
        SelectedObject heldPen(dc, GetStockObject(NULL_PEN));
        // Without a pen Ellipse leaves the right and bottom edge: one more each way.
        Ellipse(dc, x, y, x + d + 1, y + d + 1);
    }

    // Caption and shortcut, into `target` (the item DC, or the XOR mask).
    void Texts(HDC target, bool xorPath) {
        SetBkMode(target, TRANSPARENT);
        const UINT format =
            kPopupTextFormat | (rtl ? kRightToLeftTextFormat : 0) | (hideAccessKeys ? DT_HIDEPREFIX : 0);
        COLORREF color = PaintColor(q, selected ? ColorRole::HighlightedTextColor : ColorRole::TextColor);
        if (item.Disabled()) color = PaintColor(q, ColorRole::DisabledTextColor);
        if (xorPath) color = RGB(255, 255, 255);
        const bool emboss = item.Disabled() && !selected && (background || style != qlHighlightXP);
        const COLORREF embossColor = PaintColor(q, ColorRole::HighlightedTextColor);
        ItemFontSelection fonts(q, target);

        Trap([&] {
            if (item.Caption().empty()) return;
            const RECT r = rtl ? RECT{0, 0, cx - (picW + textGap), height} : RECT{picW + textGap, 0, cx, height};
            const RECT shifted{r.left + px1, r.top + px1, r.right + px1, r.bottom + px1};
            fonts.Use(q.GetCachedItemFont(item, false));
            DrawItemTextWithEmboss(target, {item.Caption(), r, format, item.Language(), item.UnicodeText()}, color, emboss,
                                   shifted, embossColor);
        });
        Trap([&] {
            if (item.ShortcutText().empty()) return;
            const LONG m = q.MenuMetrics().CheckWidth();
            const RECT r = rtl ? RECT{m, 0, m + keyW, height} : RECT{cx - keyW - m, 0, cx, height};
            const RECT shifted{r.left + px1, r.top + px1, r.right + px1, r.bottom + px1};
            fonts.Use(q.GetCachedItemFont(item, true));
            DrawItemTextWithEmboss(target, {item.ShortcutText(), r, format, item.Language(), item.UnicodeText()}, color, emboss,
                                   shifted, embossColor);
        });
    }

    // A submenu's arrow, in the text's colour, pointing away from the text
    // side; drawn column by column, so it stays crisp at any size.
    void SubmenuArrow() {
        const LONG cellW = q.MenuMetrics().CheckWidth();
        // The arrow sits beside the shadow's room, on the text side of the cell.
        const LONG left = rtl ? 0 : cx - dx - cellW;
        LONG h = cellW / 2;
        if (h % 2 == 0) --h;
        if (h < 3) h = 3;
        const LONG w = (h + 1) / 2;
        const LONG x0 = left + (cellW - w) / 2, y0 = (height - h) / 2;
        COLORREF color = PaintColor(q, selected ? ColorRole::HighlightedTextColor : ColorRole::TextColor);
        if (item.Disabled()) color = PaintColor(q, ColorRole::DisabledTextColor);
        SolidBrush brush(color);
        for (LONG i = 0; i < w; ++i) {
            const LONG column = rtl ? x0 + w - 1 - i : x0 + i;
            RECT span{column, y0 + i, column + 1, y0 + h - i};
            FillRect(dc, &span, brush.get());
        }
    }

    // The texts drawn white on black into a one-bit mask, then XORed onto
    // the item: where the mask is set the tile shows inverted.
    void XorTexts() {
        MemoryDC mask(dc);
        if (!mask.get()) return;
        ScopedBitmap bits(CreateCompatibleBitmap(mask.get(), cx, cy));  // one bit per pixel
        if (!bits.get()) return;
        {
            SelectedObject held(mask.get(), bits.get());
            RECT all{0, 0, cx, cy};
            FillRect(mask.get(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
            Texts(mask.get(), true);
            // A one-bit source takes the target's text colour for 0 and its
            // background colour for 1: black and white make it a pure mask.
            const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
            const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
            BitBlt(dc, 0, 0, cx, cy, mask.get(), 0, 0, SRCINVERT);
            SetTextColor(dc, oldText);
            SetBkColor(dc, oldBack);
        }
    }

    Quillon& q;
    CMenuItem& item;
    HDC dc;
    bool selected;
    LONG cx, cy;
    LONG picW = 0, keyW = 0, dx = 0, dy = 0, height = 0;
    LONG px1 = 1, px2 = 2, shadowWidth = 2, textGap = 6, minBullet = 4;  // 96-DPI sizes, scaled
    LONG style = 0, border = 0;
    bool hideAccessKeys;
    bool rtl = false, background = false;
    bool ownPicture = false;  // the item has a picture of its own
    bool hasPicture = false;  // a picture to draw in the cell: its own or the check mark
    bool radioBullet = false;  // a checked radio item without a check mark picture
    PictureMetrics picture;
    COLORREF menuBack = 0, bitmapBack = 0;
};

}  // namespace

void DrawItemTextWithEmboss(HDC hDC, const ItemText& text, COLORREF color, bool emboss, const RECT& embossRect,
                            COLORREF embossColor) noexcept {
    if (emboss) {
        SetTextColor(hDC, embossColor);
        DrawItemText(hDC, text.text, embossRect, text.format, text.language, text.unicodeText);
    }
    SetTextColor(hDC, color);
    DrawItemText(hDC, text.text, text.rect, text.format, text.language, text.unicodeText);
}

void Quillon::DrawPopupItem(CMenuItem& item, HDC hDC, bool selected, LONG cx, LONG cy, LONG itemTop,
                            bool hideAccessKeys) {
    PopupItemPainter p(*this, item, hDC, selected, cx, cy, hideAccessKeys);
    // 1.
    Trap([&] {
        PictureMetrics checkMark;
        p.Gather(ShownCheckMark(checkMark));
    });
    // 2. The popup's border is repainted with every item.
    Trap([&] {
        if (p.border == qlBorderFlat || p.border == qlBorderFlatWithShadow) DrawPopupFrame(hDC, item, cx, cy, itemTop);
    });
    // 3.
    if (!p.background) Trap([&] { p.Background(); });
    // 4.
    if (item.IsSeparator()) {
        Trap([&] { p.Separator(); });
        return;
    }
    // 5.
    Trap([&] { p.Highlight(); });
    Trap([&] { p.PictureCell(); });
    // 6.-10.
    if (p.background && !selected)
        Trap([&] { p.XorTexts(); });
    else
        Trap([&] { p.Texts(hDC, false); });
    if (item.HasSubMenus()) Trap([&] { p.SubmenuArrow(); });
}

}  // namespace quillon
