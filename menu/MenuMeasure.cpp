// Measuring owner-drawn items from the menu-wide column widths.
#include <cstring>
#include "control/Quillon.h"
#include "help/LanguageTables.h"
#include "hook/Guard.h"
#include "menu/MenuItem.h"
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

const PictureMetrics* Quillon::ShownPicture(const PictureMetrics* natural, IPictureDisp* picture,
                                            PictureMetrics& scratch) const {
    const UINT dpi = m_menuMetrics.Dpi();
    if (!natural || dpi == SystemMenuMetrics::kBaseDpi) return natural;
    scratch = ShownAtDpi(*natural, dpi, m_languageTables && m_languageTables->IsLibraryPicture(picture));
    return &scratch;
}

const PictureMetrics* Quillon::ShownPictureOf(const CMenuItem& item, PictureMetrics& scratch) const {
    return ShownPicture(item.PictureInfo(), item.Picture(), scratch);
}

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
    const LONG margin = m_menuMetrics.Scale(4);
    m_colMenuItems->ForEach([&](const CMenuItem& r) {
        if (!r.IsTopLevel()) return;
        Trap([&] {
            LONG w = 0, ph = 0;
            PictureMetrics shown;
            if (PictureSize(ShownPictureOf(r, shown), w, ph) && ph + margin > h) h = ph + margin;
        });
        if (r.CaptionTextHeight() + margin > h) h = r.CaptionTextHeight() + margin;
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
                PictureMetrics shown;
                if (r.Picture()) {
                    if (!PictureSize(ShownPictureOf(r, shown), w, h)) return;
                } else if (r.Checked()) {
                    if (!PictureSize(ShownCheckMark(shown), w, h)) return;
                } else {
                    return;
                }
                if (w > m) m = w;
            });
        });
    const LONG bar = m_menuMetrics.MenuHeight();
    const LONG column = m + m_menuMetrics.Scale(4);
    return column > bar ? column : bar;
}

void Quillon::FollowDpiChange(HWND hwnd) {
    if (Terminated() || !m_menuMetrics.TakeDpiChange()) return;
    // The GDI font follows by itself (it is made for a DPI); the system menu
    // font, the stock check mark and the library's icons are taken again.
    Trap([&] { GetSystemMenuFont(true); });
    Trap([&] {
        m_DefaultCheckMark = GetDefaultCheckMark();
        m_checkMarkMetrics.Reset();
    });
    // The system keeps an owner-drawn item's size until the item changes:
    // every item is converted, and so measured, again at its next scan.
    if (m_colMenuItems) m_colMenuItems->ForEach([](CMenuItem& r) { r.SetAppliedFlags(-1); });
    Trap([&] { ReprocessMenuBar(hwnd == m_hwndOwner ? hwnd : m_hwndOwner); });
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
        PictureMetrics shown;
        const PictureMetrics* pic = ShownPictureOf(*item.get(), shown);
        if (!item->Picture() && item->Checked()) pic = ShownCheckMark(shown);
        PictureSize(pic, picW, picH);
    });
    // 8.
    const LONG margin = m_menuMetrics.Scale(4);
    Trap([&] {
        height = bar;
        if (picH + margin > height) height = picH + margin;
        if (item->CaptionTextHeight() + margin > height) height = item->CaptionTextHeight() + margin;
        if (item->ShortcutTextHeight() + margin > height) height = item->ShortcutTextHeight() + margin;
    });
    if (item->IsTopLevel()) {
        // 9.
        Trap([&] {
            width = picW + item->CaptionTextWidth();
            if (item->Picture()) width += m_menuMetrics.Scale(6);
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
        if (item && PaintedMenuBorder() == qlBorderFlatWithShadow && item->IsLast())
            mis.itemHeight += static_cast<UINT>(m_menuMetrics.ShadowWidth());
    });
    // 14.
    std::memcpy(reinterpret_cast<void*>(lParam), &mis, sizeof mis);
    route = false;
    result = 1;
}

}  // namespace quillon
