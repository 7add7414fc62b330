// Measuring owner-drawn items from the menu-wide column widths.
#include <cstring>
#include "control/Quillon.h"
#include "hook/Guard.h"
#include "menu/ItemCollection.h"
#include "render/PictureMetrics.h"

namespace quillon {
namespace {

// A picture's size in screen pixels; false when there is none.
bool PictureSize(const PictureMetrics* picture, LONG& width, LONG& height) {
    width = picture ? picture->width : 0;
    height = picture ? picture->height : 0;
    return picture != nullptr;
}

}  // namespace

IPictureDisp* Quillon::DefaultCheckMark() const { return StockCheckMark(); }

IPictureDisp* Quillon::CheckMarkFor() const { return CheckMarkPicture() ? CheckMarkPicture() : DefaultCheckMark(); }

void Quillon::RemeasureItem(CMenuItem& item) {
    // The fonts as the record keeps them: no font object is asked again.
    Trap([&] {
        const SIZE caption = m_textMeasurer.Measure(GetCachedItemFont(item, false), item.Caption());
        item.SetCaptionTextWidth(caption.cx);
        item.SetCaptionTextHeight(caption.cy);
    });
    Trap([&] {
        const SIZE shortcut = m_textMeasurer.Measure(GetCachedItemFont(item, true), item.ShortcutText());
        item.SetShortcutTextWidth(shortcut.cx);
        item.SetShortcutTextHeight(shortcut.cy);
    });
}

LONG Quillon::GetMenuBarHeight() const {
    LONG h = m_menuMetrics.MenuHeight();
    if (!m_colMenuItems) return h;
    m_colMenuItems->ForEach([&](const CMenuItem& r) {
        if (!r.IsTopLevel()) return;
        Trap([&] {
            LONG w = 0, ph = 0;
            if (PictureSize(r.PictureInfo(), w, ph) && ph + 4 > h) h = ph + 4;
        });
        if (r.CaptionTextHeight() + 4 > h) h = r.CaptionTextHeight() + 4;
    });
    return h;
}

LONG Quillon::GetMaxCaptionWidth(const CMenuItem& item) const {
    LONG m = 0;
    if (m_colMenuItems)
        m_colMenuItems->ForEachOfMenu(item.HMenu(), [&](const CMenuItem& r) {
            if (r.HMenu() == item.HMenu() && r.CaptionTextWidth() > m) m = r.CaptionTextWidth();
        });
    return m;
}

LONG Quillon::GetMaxShortcutWidth(const CMenuItem& item) const {
    LONG m = 0;
    if (m_colMenuItems)
        m_colMenuItems->ForEachOfMenu(item.HMenu(), [&](const CMenuItem& r) {
            if (r.HMenu() == item.HMenu() && r.ShortcutTextWidth() > m) m = r.ShortcutTextWidth();
        });
    return m;
}

LONG Quillon::GetPictureColumnWidth(const CMenuItem& item) const {
    LONG m = 0;
    if (m_colMenuItems)
        m_colMenuItems->ForEachOfMenu(item.HMenu(), [&](const CMenuItem& r) {
            if (r.HMenu() != item.HMenu()) return;
            Trap([&] {
                LONG w = 0, h = 0;
                if (r.Picture()) {
                    if (!PictureSize(r.PictureInfo(), w, h)) return;
                } else if (r.Checked()) {
                    if (!PictureSize(CheckMarkInfo(), w, h)) return;
                } else {
                    return;
                }
                if (w > m) m = w;
            });
        });
    const LONG bar = m_menuMetrics.MenuHeight();
    return m + 4 > bar ? m + 4 : bar;
}

LONG Quillon::GetCheckMarkWidth(const CMenuItem*) const { return m_menuMetrics.CheckWidth(); }

void Quillon::OnMeasureItem(WPARAM, LPARAM lParam, bool& route, LRESULT& result) {
    if (!lParam) return;
    // 1. A copy of the structure; only menus are ours.
    MEASUREITEMSTRUCT mis{};
    std::memcpy(&mis, reinterpret_cast<const void*>(lParam), sizeof mis);
    if (mis.CtlType != ODT_MENU) return;

    LONG bar = 19, width = 0, height = 0;
    ComPtr<CMenuItem> item;
    // 2.
    Trap([&] { bar = m_menuMetrics.MenuHeight(); });
    // 3. Items that are not ours (the host's own owner-drawn ones) are the
    // host's to measure.
    Trap([&] { item = RecordOfItem(mis.itemData); });
    if (!item) return;
    // 5. The text may have changed since the scan.
    Trap([&] {
        const std::wstring text = GetMenuText(HandleOf<HMENU>(item->HMenu()), item->Position());
        if (!text.empty() && text != item->MenuText()) item->SetMenuText(text);
    });
    // 6.
    Trap([&] { RemeasureItem(*item.get()); });
    // 7.
    LONG picW = 0, picH = 0;
    Trap([&] {
        const PictureMetrics* pic = item->PictureInfo();
        if (!item->Picture() && item->Checked()) pic = CheckMarkInfo();
        PictureSize(pic, picW, picH);
    });
    // 8.
    Trap([&] {
        height = bar;
        if (picH + 4 > height) height = picH + 4;
        if (item->CaptionTextHeight() + 4 > height) height = item->CaptionTextHeight() + 4;
        if (item->ShortcutTextHeight() + 4 > height) height = item->ShortcutTextHeight() + 4;
    });
    if (item->IsTopLevel()) {
        // 9.
        Trap([&] {
            width = picW + item->CaptionTextWidth();
            if (item->Picture()) width += 6;
        });
        Trap([&] { height = GetMenuBarHeight(); });
    } else if (item->IsSeparator()) {
        // 10.
        width = 0;
        height = RoundHalfEven(static_cast<double>(bar) / 2.0);
    } else {
        // 11.
        Trap([&] {
            width = GetMaxCaptionWidth(*item.get()) + GetMaxShortcutWidth(*item.get()) +
                    GetPictureColumnWidth(*item.get()) + GetCheckMarkWidth(item.get());
        });
    }
    // 12. The host may change the size.
    Trap([&] {
        VARIANT args[3];
        for (VARIANT& a : args) VariantInit(&a);
        // Arguments in reverse order: ItemHeight, ItemWidth, aMenuItem.
        V_VT(&args[0]) = VT_BYREF | VT_I4;
        V_I4REF(&args[0]) = &height;
        V_VT(&args[1]) = VT_BYREF | VT_I4;
        V_I4REF(&args[1]) = &width;
        V_VT(&args[2]) = VT_DISPATCH;
        V_DISPATCH(&args[2]) = static_cast<_CMenuItem*>(item.get());
        DISPPARAMS params{args, nullptr, 3, 0};
        FireEvent(DISPID_SetMenuItemSize, &params);
    });
    // 13.
    mis.itemWidth = static_cast<UINT>(width);
    mis.itemHeight = static_cast<UINT>(height);
    Trap([&] {
        if (item && MenuBorder() == qlBorderFlatWithShadow && item->IsLast()) mis.itemHeight += 2;
    });
    // 14.
    std::memcpy(reinterpret_cast<void*>(lParam), &mis, sizeof mis);
    route = false;
    result = 1;
}

}  // namespace quillon
