// What owner-drawn items give back of the system's own menus: access-key
// underlines only while keyboard cues are shown, and the control's own
// submenu arrow in the item's colours, the system's kept out.
#include <windows.h>
#include <gtest/gtest.h>
#include <set>
#include "tests/control/Automation.h"
#include "tests/menu/MenuFixture.h"
#include "tests/render/Canvas.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr COLORREF kText = RGB(200, 0, 0), kLight = RGB(250, 250, 0), kDisabled = RGB(0, 0, 160),
                   kHighlight = RGB(0, 130, 0), kTile = RGB(20, 120, 220);
constexpr int kCx = 180, kCy = 22;

struct CueMenu {
    HMENU popup = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    MenuForm form;
    CueMenu() {
        AppendMenuA(sub, MF_STRING, 9, "Inner");
        AppendMenuA(popup, MF_STRING, 1, "&Open");
        AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), "&More");
        AppendMenuA(popup, MF_POPUP | MF_GRAYED, reinterpret_cast<UINT_PTR>(CreatePopupMenu()), "&Gone");
        form.Open(popup);
        Automation host(form.control->container.Query<IDispatch>(IID_IDispatch).get());
        EXPECT_EQ(S_OK, host.Let(L"UseCustomColors", Variant::Bool(true)));
        const std::pair<const wchar_t*, COLORREF> colors[] = {{L"TextColor", kText},
                                                              {L"HighlightedTextColor", kLight},
                                                              {L"DisabledTextColor", kDisabled},
                                                              {L"MenuHighlight", kHighlight}};
        for (const auto& [name, color] : colors) EXPECT_EQ(S_OK, host.Let(name, Variant::Long(static_cast<LONG>(color))));
        EXPECT_EQ(S_OK, host.Let(L"HighlightStyle", Variant::Long(qlHighlightPlain)));
    }
    ~CueMenu() { DestroyMenu(popup); }
    void Draw(Canvas& canvas, int position, UINT state) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemState = state;
        dis.hDC = canvas.dc;
        dis.rcItem = {0, 0, kCx, kCy};
        dis.itemData = DataOf(popup, position);
        SendMessageA(form.window.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    }
};

TEST(KeyboardCues, WithoutCuesTheSameItemLacksExactlyItsUnderline) {
    CueMenu m;
    Canvas shown(kCx, kCy), hidden(kCx, kCy);
    m.Draw(shown, 0, 0);
    m.Draw(hidden, 0, ODS_NOACCEL);
    std::set<int> rows;
    int differing = 0;
    for (int y = 0; y < kCy; ++y)
        for (int x = 0; x < kCx; ++x)
            if (shown.At(x, y) != hidden.At(x, y)) {
                ++differing;
                rows.insert(y);
                EXPECT_EQ(kText, shown.At(x, y)) << "only the underline's own pixels differ";
            }
    EXPECT_GT(differing, 2) << "the underline of O";
    EXPECT_EQ(1u, rows.size()) << "one line";
    const LONG serial = m.form.Record(m.popup, 0)->AccessKey();
    EXPECT_EQ('O', serial) << "the ampersand still marks the access key";
}

TEST(SubmenuArrow, DrawnInTheItemsTextColourOverABackgroundPictureAndTheSystemsKeptOut) {
    CueMenu m;
    ComPtr<_Quillon> dual(static_cast<_Quillon*>(m.form.q()));
    ComPtr<IPictureDisp> tile = SolidPicture(kTile, 8, 8);
    ASSERT_EQ(S_OK, dual->putref_BackgroundPicture(tile.get()));
    const LONG cell = m.form.q()->MenuMetrics().CheckWidth();
    const struct {
        int position;
        UINT state;
        COLORREF back, arrow;
    } rows[] = {{1, 0, kTile, kText}, {1, ODS_SELECTED, kHighlight, kLight}, {2, ODS_GRAYED, kTile, kDisabled}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "item " << r.position << " state " << r.state);
        Canvas canvas(kCx, kCy);
        m.Draw(canvas, r.position, r.state);
        const RECT arrowCell{kCx - cell, 0, kCx, kCy};
        EXPECT_EQ(0, canvas.Count(RGB(255, 255, 255), arrowCell));
        EXPECT_GT(canvas.Count(r.arrow, arrowCell), 4);
        EXPECT_EQ(0, canvas.Count([&](COLORREF p) { return p != r.back && p != r.arrow; }, arrowCell));
        EXPECT_FALSE(PtVisible(canvas.dc, kCx - cell / 2, kCy / 2)) << "the system's arrow is clipped away";
        EXPECT_TRUE(PtVisible(canvas.dc, 2, kCy / 2));
    }
}

}  // namespace
