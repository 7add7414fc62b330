// Menus at other DPIs than 96: the control's own sizes, host pictures and
// the library's icons scale with the DPI painted for, and a DPI change
// measures every item again.
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include "help/LanguageTables.h"
#include "render/PictureMetrics.h"
#include "tests/control/Automation.h"
#include "tests/menu/MenuFixture.h"
#include "tests/render/Canvas.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr COLORREF kGreen = RGB(0, 128, 0);

// What a 96-DPI size becomes: the picture cell, the margin around pictures
// and texts, the gap before a bar item's caption, and the shadow.
struct Scaled {
    UINT dpi;
    LONG cell, margin, barGap, shadow;
};
constexpr Scaled kDpis[] = {{96, 16, 4, 6, 2}, {120, 20, 5, 8, 3}, {144, 24, 6, 9, 3}, {192, 32, 8, 12, 4}};

struct DpiMenu {
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    std::unique_ptr<MenuForm> form;

    explicit DpiMenu(UINT dpi) {
        AppendMenuA(popup, MF_STRING, 1, "Pictured\tCtrl+P");
        AppendMenuA(popup, MF_STRING, 2, "Plain");
        AppendMenuA(popup, MF_STRING, 3, "Last");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "Fi&le");
        form = std::make_unique<MenuForm>(bar);
        Q()->MenuMetrics().ForceDpi(dpi);
        Automation host(form->control->container.Query<IDispatch>(IID_IDispatch).get());
        EXPECT_EQ(S_OK, host.Let(L"MenuBorder", Variant::Long(qlBorderFlatWithShadow)));
        form->Open(popup);
        Item(0)->SetPicture(SolidPicture(kGreen, 16, 16).get());
        Bar()->SetPicture(SolidPicture(kGreen, 16, 16).get());
    }
    ~DpiMenu() {
        SetMenu(form->window.hwnd(), nullptr);
        form.reset();
        DestroyMenu(bar);
    }
    Quillon* Q() const { return form->q(); }
    CMenuItem* Item(int position) const { return form->Record(popup, position); }
    CMenuItem* Bar() const { return form->Record(bar, 0); }
    MEASUREITEMSTRUCT Measure(int position) { return form->Measure(position < 0 ? Bar() : Item(position)); }
};

TEST(DpiScaling, MeasuresAndPicturesGrowWithTheDpi) {
    LONG captionAt96 = 0;
    for (const Scaled& s : kDpis) {
        SCOPED_TRACE(testing::Message() << s.dpi << " DPI");
        DpiMenu m(s.dpi);
        const LONG bar = m.Q()->MenuMetrics().MenuHeight();
        CMenuItem* pictured = m.Item(0);
        ASSERT_TRUE(pictured && m.Item(2) && m.Bar());
        // The menu font is made for the DPI: its text grows with it.
        if (s.dpi == 96) captionAt96 = pictured->CaptionTextHeight();
        EXPECT_GE(pictured->CaptionTextHeight(), MulDiv(captionAt96, static_cast<int>(s.dpi), 96) - 2);

        const LONG column = std::max(s.cell + s.margin, bar);
        EXPECT_EQ(m.Q()->GetPictureColumnWidth(*pictured), column);
        const LONG height = std::max({bar, s.cell + s.margin, pictured->CaptionTextHeight() + s.margin,
                                      pictured->ShortcutTextHeight() + s.margin});
        const MEASUREITEMSTRUCT item = m.Measure(0);
        EXPECT_EQ(static_cast<LONG>(item.itemHeight), height);
        EXPECT_EQ(m.Measure(2).itemHeight, m.Measure(1).itemHeight + static_cast<UINT>(s.shadow))
            << "the last item keeps room for the shadow";
        EXPECT_EQ(static_cast<LONG>(m.Measure(-1).itemWidth), s.cell + m.Bar()->CaptionTextWidth() + s.barGap);

        // The 16-pixel host picture fills the scaled cell, smoothly scaled.
        Canvas canvas(static_cast<int>(item.itemWidth), static_cast<int>(item.itemHeight));
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.hDC = canvas.dc;
        dis.rcItem = {0, 0, static_cast<LONG>(item.itemWidth), static_cast<LONG>(item.itemHeight)};
        dis.itemData = DataOf(m.popup, 0);
        SendMessageA(m.form->window.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        EXPECT_EQ(canvas.Count(kGreen), s.cell * s.cell);
        const LONG x = (column - s.cell) / 2, y = (height - s.cell) / 2;
        EXPECT_EQ(canvas.Count(kGreen, {x, y, x + s.cell, y + s.cell}), s.cell * s.cell) << "centred in its cell";
    }
}

// The library's icons are loaded at the size for the cell (the sizes the
// library has: the smallest not smaller than the cell) and shown at the cell.
TEST(DpiScaling, LibraryIconsAreLoadedAtTheSizeOfTheCell) {
    const struct {
        UINT dpi;
        int loaded, shown;
    } rows[] = {{96, 16, 16}, {120, 20, 20}, {144, 24, 24}, {168, 32, 28}, {192, 32, 32}, {288, 48, 48}, {384, 48, 64}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.dpi << " DPI");
        MenuForm form;
        form.q()->MenuMetrics().ForceDpi(r.dpi);
        ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
        ComPtr<IPictureDisp> open;
        BSTR caption = SysAllocString(L"Open");
        ASSERT_EQ(S_OK, dual->GetDefaultPicture(caption, open.put()));
        SysFreeString(caption);
        PictureMetrics natural, scratch;
        ASSERT_TRUE(GetPictureMetrics(open.get(), natural));
        EXPECT_EQ(natural.pixelWidth, r.loaded);
        const PictureMetrics* shown = form.q()->ShownPicture(&natural, open.get(), scratch);
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->width, r.shown);
        EXPECT_EQ(shown->height, r.shown);
    }
}

// The system keeps an owner-drawn item's size until the item changes: after
// a DPI change every item is converted again at its next opening.
TEST(DpiScaling, ADpiChangeMeasuresEveryItemAgainAtItsNextOpening) {
    DpiMenu m(96);
    m.Measure(1);
    const LONG captionBefore = m.Item(1)->CaptionTextHeight();
    m.form->Open(m.popup);
    const int conversions = m.Q()->MenuItemConversions();
    m.form->Open(m.popup);
    EXPECT_EQ(m.Q()->MenuItemConversions(), conversions) << "an unchanged popup is not converted again";

    m.Q()->MenuMetrics().ForceDpi(144);
    RECT suggested{0, 0, 600, 400};
    SendMessageA(m.form->window.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    m.form->Open(m.popup);
    EXPECT_EQ(m.Q()->MenuItemConversions(), conversions + 1 + 3) << "the bar's item and the popup's three";
    const LONG height = static_cast<LONG>(m.Measure(1).itemHeight);
    const LONG caption = m.Item(1)->CaptionTextHeight();
    EXPECT_GE(caption, captionBefore * 3 / 2 - 2) << "measured in the font for 144 DPI";
    EXPECT_EQ(height, std::max(m.Q()->MenuMetrics().MenuHeight(), caption + 6));
}

}  // namespace
