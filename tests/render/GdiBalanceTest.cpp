// Painting must not leak GDI objects: 500 WM_DRAWITEM in every highlight
// style and border, with and without a background picture, counted by
// patching the program's imports.
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <set>
#include "tests/control/Automation.h"
#include "tests/menu/MenuFixture.h"
#include "tests/support/GdiTally.h"

using namespace quillon;
using namespace quillon::test;

namespace {

bool Contains(const std::vector<GdiTally::Handle>& live, HANDLE h) {
    return std::any_of(live.begin(), live.end(), [h](const GdiTally::Handle& e) { return e.handle == h; });
}

TEST(GdiTally, SeesALeakedBrushAndAnUnreleasedDC) {
    // Made before the count starts, and with another function: a compiler
    // may keep the address of an import it has called once in a register.
    const LOGBRUSH solid{BS_SOLID, RGB(9, 9, 9), 0};
    HBRUSH before = CreateBrushIndirect(&solid);
    ASSERT_TRUE(GdiTally::Start());
    EXPECT_GT(GdiTally::Patched(), 5);
    HBRUSH leaked = CreateSolidBrush(RGB(1, 2, 3));
    HBRUSH freed = CreateSolidBrush(RGB(4, 5, 6));
    DeleteObject(freed);
    DeleteObject(before);
    HDC screen = GetDC(nullptr);

    std::vector<GdiTally::Handle> live = GdiTally::Live();
    EXPECT_EQ(2u, live.size()) << GdiTally::Describe(live);
    EXPECT_TRUE(Contains(live, leaked));
    EXPECT_TRUE(Contains(live, screen));
    EXPECT_FALSE(Contains(live, freed));
    EXPECT_EQ(2, GdiTally::Created());
    EXPECT_EQ(1, GdiTally::Deleted());

    ReleaseDC(nullptr, screen);
    DeleteObject(leaked);
    EXPECT_TRUE(GdiTally::Live().empty()) << GdiTally::Describe(GdiTally::Live());
    GdiTally::Stop();
    HBRUSH after = CreateSolidBrush(RGB(7, 8, 9));
    EXPECT_FALSE(GdiTally::IsLive(after)) << "not counted once stopped";
    DeleteObject(after);
}

// A 32-bit DIB section selected into a memory DC.
struct DibCanvas {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    uint32_t* bits = nullptr;
    int width, height;
    DibCanvas(int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* p = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<uint32_t*>(p);
        old = SelectObject(dc, bitmap);
    }
    ~DibCanvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Clear() {
        GdiFlush();
        std::fill(bits, bits + width * height, 0x00123456u);
    }
    int Changed() const {
        GdiFlush();
        return static_cast<int>(std::count_if(bits, bits + width * height, [](uint32_t p) { return p != 0x00123456u; }));
    }
};

struct Config {
    LONG style, border;
    bool background;
};

TEST(GdiBalance, FiveHundredPaintsInEveryStyleAndBorderLeaveNothingBehind) {
    HMENU bar = CreateMenu(), popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&New\tCtrl+N");
    AppendMenuA(popup, MF_STRING, 2, "&Open...\tCtrl+O");
    AppendMenuA(popup, MF_STRING | MF_CHECKED, 3, "&Autosave");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING | MF_GRAYED, 5, "Print Pre&view\tCtrl+F2");
    AppendMenuA(popup, MF_STRING, 6, "E&xit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File");
    const int kItems = 6;

    MenuForm form(bar);
    const HWND owner = form.window.hwnd();
    Automation host(form.control->container.Query<IDispatch>(IID_IDispatch).get());
    auto list = MakeImageList({{L"NEW", MarkedPicture(RGB(0, 160, 0))},
                               {L"OPEN", MarkedPicture(RGB(200, 160, 0))},
                               {L"PRINT PREVIEW", MarkedPicture(RGB(0, 0, 200))}});
    ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
    IDispatch* listDisp = list.get();
    ASSERT_EQ(S_OK, dual->SetImageList(&listDisp));
    ASSERT_EQ(S_OK, host.Let(L"UseCustomColors", Variant::Bool(true)));
    ASSERT_EQ(S_OK, host.Let(L"BitmapBackground", Color(RGB(210, 225, 250))));
    ComPtr<IPictureDisp> tile = MarkedPicture(RGB(250, 200, 250), 24);
    ComPtr<IFontDisp> otherFont = MakeFont(L"Arial", 12);

    // The popup's items stacked as the system would lay them out.
    form.Open(popup);
    std::vector<RECT> rows;
    LONG width = 0, top = 0;
    for (int i = 0; i < kItems; ++i) {
        CMenuItem* record = form.Record(popup, i);
        ASSERT_NE(nullptr, record) << i;
        const MEASUREITEMSTRUCT mis = form.Measure(record);
        width = std::max<LONG>(width, static_cast<LONG>(mis.itemWidth));
        rows.push_back({0, top, 0, top + static_cast<LONG>(std::max<UINT>(mis.itemHeight, 4))});
        top = rows.back().bottom;
    }
    width = std::max<LONG>(width, 120);
    for (RECT& r : rows) r.right = width;

    DibCanvas canvas(width, top + 30);
    RecordingWindow popupWindow(WS_POPUP | WS_BORDER | WS_VISIBLE, nullptr, WS_EX_TOOLWINDOW);
    RECT frame{0, 0, width, top};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    SetWindowPos(popupWindow.hwnd(), HWND_TOPMOST, 300, 200, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    HDC windowDC = GetDC(popupWindow.hwnd());
    ASSERT_NE(nullptr, windowDC);
    PumpMessages(20);

    auto paint = [&](int position, bool selected, HDC dc) -> LRESULT {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemAction = selected ? ODA_SELECT : ODA_DRAWENTIRE;
        dis.hDC = dc;
        if (position < 0) {  // the bar's File item, in the canvas
            dis.itemID = 0;
            dis.rcItem = {0, top, 60, top + 20};
            dis.itemData = DataOf(bar, 0);
        } else {
            const UINT state = GetMenuState(popup, static_cast<UINT>(position), MF_BYPOSITION);
            dis.itemID = GetMenuItemID(popup, position);
            dis.rcItem = rows[static_cast<size_t>(position)];
            dis.itemData = DataOf(popup, position);
            if (state & MF_GRAYED) dis.itemState |= ODS_GRAYED | ODS_DISABLED;
            if (state & MF_CHECKED) dis.itemState |= ODS_CHECKED;
        }
        if (selected) dis.itemState |= ODS_SELECTED;
        return SendMessageA(owner, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    };

    std::vector<Config> configs;
    for (bool background : {false, true})
        for (LONG border = 0; border <= 2; ++border)
            for (LONG style = 0; style <= 9; ++style) configs.push_back({style, border, background});

    ASSERT_TRUE(GdiTally::Start());
    SendMessageA(owner, WM_ENTERMENULOOP, FALSE, 0);  // the capture the shadows read
    const int kPaints = 500;  // for every configuration
    int painted = 0, handled = 0, windowPaints = 0;
    long madeWhilePainting = 0;
    const int fontsBefore = form.q()->CachedFontCreations();
    for (size_t k = 0; k < configs.size(); ++k) {
        const Config& c = configs[k];
        SCOPED_TRACE(testing::Message() << "style " << c.style << " border " << c.border << " background "
                                        << c.background);
        ASSERT_EQ(S_OK, host.Let(L"HighlightStyle", Variant::Long(c.style)));
        ASSERT_EQ(S_OK, host.Let(L"MenuBorder", Variant::Long(c.border)));
        ASSERT_EQ(S_OK, host.Set(L"BackgroundPicture", Variant::Object(c.background ? tile.get() : nullptr,
                                                                       VT_DISPATCH)));
        if (k == configs.size() / 2) form.q()->SetMenuCaptionFontObject(otherFont.get());  // a second cached font
        form.Open(popup);
        // Warm-up: whatever a configuration caches is made by its first paints.
        for (int i = 0; i < kItems; ++i) paint(i, false, canvas.dc);

        const std::vector<GdiTally::Handle> before = GdiTally::Live();
        const long made = GdiTally::Created();
        canvas.Clear();
        for (int j = 0; j < kPaints; ++j) {
            const int position = static_cast<int>((k + static_cast<size_t>(j)) % (kItems + 1)) - 1;  // -1: bar
            const bool selected = j % 2 == 1;
            const bool inWindow = position >= 0 && j % 3 == 2;
            windowPaints += inWindow;
            handled += paint(position, selected, inWindow ? windowDC : canvas.dc) == 1;
            ++painted;
        }
        EXPECT_GT(canvas.Changed(), 0) << "the paints reached the canvas";
        madeWhilePainting += GdiTally::Created() - made;

        // Nothing new may stay alive; the font cache may only have swapped its one font.
        const std::vector<GdiTally::Handle> after = GdiTally::Live();
        std::vector<GdiTally::Handle> leaked;
        int fontsAfterCount = 0, fontsBeforeCount = 0;
        for (const auto& h : before) fontsBeforeCount += GetObjectType(h.handle) == OBJ_FONT;
        for (const auto& h : after) {
            if (GetObjectType(h.handle) == OBJ_FONT) {
                ++fontsAfterCount;
                continue;
            }
            if (!Contains(before, h.handle)) leaked.push_back(h);
        }
        EXPECT_TRUE(leaked.empty()) << GdiTally::Describe(leaked);
        EXPECT_LE(fontsAfterCount, std::max(1, fontsBeforeCount));
    }
    SendMessageA(owner, WM_EXITMENULOOP, FALSE, 0);
    ASSERT_EQ(S_OK, host.Set(L"BackgroundPicture", Variant::Object(nullptr, VT_DISPATCH)));

    EXPECT_EQ(kPaints * static_cast<int>(configs.size()), painted);
    EXPECT_EQ(painted, handled) << "every paint answered by the control";
    EXPECT_GT(windowPaints, 100);
    EXPECT_GT(madeWhilePainting, 0) << "the painters' objects went through the tally";
    std::printf("%d paints (%d into a popup window), %ld GDI objects made while painting\n", painted, windowPaints,
                madeWhilePainting);
    EXPECT_GT(form.q()->CachedFontCreations(), fontsBefore) << "the cached font was replaced";

    // What is left is the control's by design: its three shared objects and
    // the one cached font, which replaced every font before it.
    const std::set<HANDLE> shared = {form.q()->MenuBackgroundBrush(), form.q()->BitmapBackgroundBrush(),
                                     form.q()->HighlightBorderPen()};
    std::vector<GdiTally::Handle> left;
    int fonts = 0;
    for (const auto& h : GdiTally::Live()) {
        if (shared.count(h.handle)) continue;
        if (GetObjectType(h.handle) == OBJ_FONT && ++fonts == 1) continue;
        left.push_back(h);
    }
    EXPECT_TRUE(left.empty()) << GdiTally::Describe(left);

    ReleaseDC(popupWindow.hwnd(), windowDC);
    form.control.reset();  // termination deletes the shared objects and the font
    PumpMessages(0);
    std::vector<GdiTally::Handle> afterClose = GdiTally::Live();
    GdiTally::Stop();
    EXPECT_TRUE(afterClose.empty()) << GdiTally::Describe(afterClose);
    SetMenu(owner, nullptr);
    DestroyMenu(bar);
}

}  // namespace
