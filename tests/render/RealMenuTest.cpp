// Real menus opened on the display: a TrackPopupMenu popup and the form's
// menu bar clicked with real input. While the menu waits for input an item
// is selected with the keyboard, the menu window is photographed (a PNG per
// case in the artifact folder) and its colours are checked.
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "tests/control/Automation.h"
#include "tests/menu/MenuFixture.h"
#include "tools/png/PngWriter.h"
#include "tests/support/ScreenCapture.h"

using namespace quillon;
using namespace quillon::test;
using namespace quillon::png;

namespace {

constexpr COLORREF kMenuBack = RGB(250, 240, 200), kColumn = RGB(170, 215, 250), kBarBack = RGB(225, 225, 205),
                   kText = RGB(0, 0, 90), kDisabled = RGB(150, 150, 150), kLightText = RGB(255, 255, 255),
                   kHighlight = RGB(30, 130, 60), kBorder = RGB(210, 30, 30);
constexpr COLORREF kTileA = RGB(255, 0, 255), kTileB = RGB(0, 200, 200);
constexpr UINT_PTR kTimerId = 0x5151;
constexpr UINT kTickMs = 50;
constexpr DWORD kGuardMs = 3000;

TEST(Png, ChecksumsMatchTheirReferenceValues) {
    const char* digits = "123456789";
    EXPECT_EQ(0xCBF43926u, Crc32(reinterpret_cast<const uint8_t*>(digits), 9));
    const char* word = "Wikipedia";
    EXPECT_EQ(0x11E60398u, Adler32(reinterpret_cast<const uint8_t*>(word), 9));
}

// Vertical stripes of two colours, 8 pixels each.
ComPtr<IPictureDisp> TilePicture() {
    return PaintedPicture(16, 16, [](HDC dc) {
        FillWith(dc, {0, 0, 8, 16}, kTileA);
        FillWith(dc, {8, 0, 16, 16}, kTileB);
    });
}

int Distance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

// The smallest distance to `color` of any pixel of `area` (shot coordinates).
int Nearest(const ScreenShot& shot, RECT area, COLORREF color) {
    int best = 256;
    for (int y = std::max(0L, area.top); y < std::min<LONG>(area.bottom, shot.height); ++y)
        for (int x = std::max(0L, area.left); x < std::min<LONG>(area.right, shot.width); ++x)
            best = std::min(best, Distance(shot.At(x, y), color));
    return best;
}

void SendKey(WORD vk) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
}

void ClickAt(POINT p) {
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in[3] = {};
    for (INPUT& i : in) {
        i.type = INPUT_MOUSE;
        i.mi.dx = static_cast<LONG>((p.x * 65536 + sw / 2) / sw);
        i.mi.dy = static_cast<LONG>((p.y * 65536 + sh / 2) / sh);
    }
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    SendInput(3, in, sizeof(INPUT));
}

// What the timer does while a menu is open: select the first item with the
// keyboard, wait for it to be painted, photograph the menu window, close
// the menu. The guard closes it whatever happens.
struct OpenMenu {
    HMENU popup = nullptr;
    HWND menuWindow = nullptr;  // from WM_ENTERIDLE, else FindWindow
    DWORD started = 0;
    int phase = 0;  // 0 waiting for the window, 1 key sent, 2 selected, 3 done
    int ticksInPhase = 0;
    bool postedKey = false;
    bool timedOut = false;
    bool finished = false;
    int selectedIndex = -1;
    RECT selectedItem{};  // screen coordinates
    ScreenShot shot;
    HWND barOwner = nullptr;  // set when the menu hangs from this window's menu bar
    ScreenShot barShot;       // that bar, photographed with the menu open
};
OpenMenu* g_open = nullptr;

void CloseMenu() {
    if (g_open->phase < 3) g_open->phase = 3;
    EndMenu();
}

int HilitedItem(HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
}

// The whole width of the window's menu bar, at the height of its items
// (screen coordinates).
RECT MenuBarRect(HWND owner) {
    RECT item{}, client{};
    GetMenuItemRect(owner, GetMenu(owner), 0, &item);
    GetClientRect(owner, &client);
    POINT origin{0, 0};
    ClientToScreen(owner, &origin);
    return {origin.x, item.top, origin.x + client.right, item.bottom};
}

void Tick() {
    OpenMenu& m = *g_open;
    if (m.phase >= 3) {
        EndMenu();  // in case the first request came too early
        return;
    }
    if (GetTickCount() - m.started > kGuardMs) {
        m.timedOut = true;
        CloseMenu();
        return;
    }
    if (!m.menuWindow) {
        HWND w = FindWindowA("#32768", nullptr);
        if (w && IsWindowVisible(w)) m.menuWindow = w;
    }
    ++m.ticksInPhase;
    const int hilited = HilitedItem(m.popup);
    switch (m.phase) {
        case 0:
            if (m.menuWindow && hilited >= 0) {
                m.phase = 2;  // opened with a selection already
                m.ticksInPhase = 0;
            } else if (m.menuWindow && m.ticksInPhase >= 2) {
                SendKey(VK_DOWN);
                m.phase = 1;
                m.ticksInPhase = 0;
            }
            break;
        case 1:
            if (hilited >= 0) {
                m.phase = 2;
                m.ticksInPhase = 0;
            } else if (m.ticksInPhase == 6 && m.menuWindow) {
                // Synthetic input did not reach the menu: give its loop the key directly.
                PostMessageA(m.menuWindow, WM_KEYDOWN, VK_DOWN, 1);
                m.postedKey = true;
            }
            break;
        case 2:
            if (m.ticksInPhase >= 4) {  // painted and on the screen
                RECT window{};
                GetWindowRect(m.menuWindow, &window);
                m.selectedIndex = hilited;
                GetMenuItemRect(nullptr, m.popup, static_cast<UINT>(std::max(hilited, 0)), &m.selectedItem);
                m.shot = CaptureScreen(window);
                if (m.barOwner) m.barShot = CaptureScreen(MenuBarRect(m.barOwner));
                m.finished = true;
                CloseMenu();
            }
            break;
        default:
            break;
    }
}

void CALLBACK MenuTimerProc(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_open) return;
    try {
        Tick();
    } catch (...) {
        g_open->timedOut = true;
        EndMenu();
    }
}

enum class OpenBy { TrackPopup, BarClick };

struct Case {
    const char* name;
    LONG style;
    LONG border;
    bool background;
    bool rtl;
    OpenBy by;
};

class RealMenu : public testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() {
        const std::string dir = ArtifactDir();
        std::printf("real menu screenshots: %s\n", dir.c_str());
    }
};

// The highlight rectangle of the selected item in shot coordinates, and
// where its first colour must be (start) and must not be (ends).
struct HighlightAreas {
    RECT bar;
    std::vector<RECT> start, ends;
    int tolerance;
};

RECT Part(const RECT& r, double l, double t, double rr, double b) {
    const double w = r.right - r.left, h = r.bottom - r.top;
    return {r.left + static_cast<LONG>(w * l), r.top + static_cast<LONG>(h * t), r.left + static_cast<LONG>(w * rr + 0.999),
            r.top + static_cast<LONG>(h * b + 0.999)};
}

HighlightAreas AreasFor(LONG style, RECT bar) {
    HighlightAreas a{bar, {}, {}, 32};
    switch (style) {
        case 1: a.start = {Part(bar, 0, 0, 0.15, 1)}, a.ends = {Part(bar, 0.85, 0, 1, 1)}; break;
        case 2: a.start = {Part(bar, 0.85, 0, 1, 1)}, a.ends = {Part(bar, 0, 0, 0.15, 1)}; break;
        case 3: a.start = {Part(bar, 0.42, 0, 0.58, 1)}, a.ends = {Part(bar, 0, 0, 0.1, 1), Part(bar, 0.9, 0, 1, 1)}; break;
        case 4: a.start = {Part(bar, 0, 0, 1, 0.3)}, a.ends = {Part(bar, 0, 0.7, 1, 1)}; break;
        case 5: a.start = {Part(bar, 0, 0.7, 1, 1)}, a.ends = {Part(bar, 0, 0, 1, 0.3)}; break;
        case 6: a.start = {Part(bar, 0, 0.4, 1, 0.6)}, a.ends = {Part(bar, 0, 0, 1, 0.2), Part(bar, 0, 0.8, 1, 1)}; break;
        case 7: a.start = {Part(bar, 0, 0, 0.1, 0.3)}, a.ends = {Part(bar, 0.85, 0.6, 1, 1)}; break;
        case 8:
            a.start = {Part(bar, 0.45, 0.35, 0.55, 0.65)};
            a.ends = {Part(bar, 0, 0, 0.08, 0.25), Part(bar, 0.92, 0.75, 1, 1)};
            break;
        default:  // Plain and XP: the exact colour
            a.start = {Part(bar, 0.1, 0.25, 0.9, 0.75)};
            a.tolerance = 0;
            break;
    }
    return a;
}

double EdgeShare(const ScreenShot& shot, COLORREF color, RECT edge) {
    const int n = (edge.right - edge.left) * (edge.bottom - edge.top);
    return n > 0 ? static_cast<double>(shot.Count(color, edge)) / n : 0.0;
}

// The form's menu bar photographed while File's menu hangs from it: Help in
// the bar colour; File selected, with the loop's look of its style and border.
void ExpectMenuBar(const Case& c, const ScreenShot& shot, HWND owner, HMENU bar) {
    ASSERT_FALSE(shot.empty()) << "the menu bar was photographed";
    const std::string png = SaveShot(shot, std::string(c.name) + "_menubar");
    EXPECT_FALSE(png.empty());
    std::printf("  %s\n", png.c_str());
    RECT file{}, help{};
    ASSERT_TRUE(GetMenuItemRect(owner, bar, 0, &file));
    ASSERT_TRUE(GetMenuItemRect(owner, bar, 1, &help));
    OffsetRect(&file, -shot.where.left, -shot.where.top);
    OffsetRect(&help, -shot.where.left, -shot.where.top);
    auto area = [](const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); };
    ASSERT_GT(area(help), 40);
    EXPECT_GT(shot.Count(kBarBack, help), area(help) / 2) << "MenuBarBackground behind Help";
    const RECT fileTop{file.left, file.top, file.right, file.top + 1};
    if (c.style == 9) {
        // The XP box turns to the bar colour while the menu is open.
        EXPECT_GT(shot.Count(kBarBack, file), area(file) / 2) << "XP box in MenuBarBackground";
        EXPECT_GT(shot.Count(kBorder, fileTop), (file.right - file.left) / 2) << "outlined in MenuHighlightBorder";
        return;
    }
    EXPECT_GT(shot.Count(kMenuBack, file), area(file) / 2) << "custom colours: File selected in MenuBackground";
    const COLORREF edge = c.border == 0 ? GetSysColor(COLOR_BTNSHADOW) : kBorder;  // sunken, or the flat frame
    EXPECT_GT(shot.Count(edge, fileTop), (file.right - file.left) / 2) << "File's frame";
}

TEST_P(RealMenu, OpensSelectsAndShowsItsColours) {
    const Case& c = GetParam();
    HMENU bar = CreateMenu(), popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 101, "&New\tCtrl+N");
    AppendMenuA(popup, MF_STRING, 102, "&Open...\tCtrl+O");
    AppendMenuA(popup, MF_STRING | MF_CHECKED, 103, "&Autosave");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING | MF_GRAYED, 105, "Print Pre&view\tCtrl+F2");
    AppendMenuA(popup, MF_STRING, 106, "E&xit\tAlt+F4");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File");
    AppendMenuA(bar, MF_STRING, 201, "&Help");

    MenuForm form(bar);
    const HWND owner = form.window.hwnd();
    Automation host(form.control->container.Query<IDispatch>(IID_IDispatch).get());
    auto list = MakeImageList({{L"NEW", MarkedPicture(RGB(0, 170, 0))},
                               {L"OPEN", MarkedPicture(RGB(230, 170, 0))},
                               {L"PRINT PREVIEW", MarkedPicture(RGB(0, 0, 220))}});
    ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
    IDispatch* listDisp = list.get();
    ASSERT_EQ(S_OK, dual->SetImageList(&listDisp));
    ASSERT_EQ(S_OK, host.Let(L"UseCustomColors", Variant::Bool(true)));
    const std::pair<const wchar_t*, COLORREF> colors[] = {
        {L"MenuBackground", kMenuBack}, {L"BitmapBackground", kColumn},    {L"MenuBarBackground", kBarBack},
        {L"TextColor", kText},          {L"DisabledTextColor", kDisabled}, {L"HighlightedTextColor", kLightText},
        {L"MenuHighlight", kHighlight}, {L"MenuHighlightBorder", kBorder}};
    for (const auto& [name, color] : colors) ASSERT_EQ(S_OK, host.Let(name, Color(color))) << name;
    ASSERT_EQ(S_OK, host.Let(L"HighlightStyle", Variant::Long(c.style)));
    ASSERT_EQ(S_OK, host.Let(L"MenuBorder", Variant::Long(c.border)));
    ASSERT_EQ(S_OK, host.Let(L"RightToLeft", Variant::Bool(c.rtl)));
    ComPtr<IPictureDisp> tile = TilePicture();
    if (c.background) {
        ASSERT_EQ(S_OK, host.Set(L"BackgroundPicture", Variant::Object(tile.get(), VT_DISPATCH)));
    }

    SetWindowPos(owner, HWND_TOP, 120, 90, 520, 380, SWP_SHOWWINDOW);
    SetForegroundWindow(owner);
    UpdateWindow(owner);
    PumpMessages(100);
    ASSERT_EQ(owner, GetForegroundWindow()) << "the form must be in front for real input";

    OpenMenu open;
    open.popup = popup;
    if (c.by == OpenBy::BarClick) open.barOwner = owner;
    g_open = &open;
    form.window.proc().handler = [&open](HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT&) {
        if (msg == WM_ENTERIDLE && wParam == MSGF_MENU && lParam && !open.menuWindow)
            open.menuWindow = reinterpret_cast<HWND>(lParam);
        return false;
    };
    open.started = GetTickCount();
    SetTimer(owner, kTimerId, kTickMs, MenuTimerProc);
    if (c.by == OpenBy::TrackPopup) {
        TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, 260, 200, 0, owner,
                       nullptr);
    } else {
        RECT item{};
        ASSERT_TRUE(GetMenuItemRect(owner, bar, 0, &item));
        ClickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        // The menu loop runs inside the dispatch of the click; the guard ends it.
        while (!open.finished && !open.timedOut && GetTickCount() - open.started < kGuardMs + 2000) PumpMessages(20);
        PumpMessages(50);
    }
    KillTimer(owner, kTimerId);
    form.window.proc().handler = nullptr;
    g_open = nullptr;
    PumpMessages(50);

    EXPECT_FALSE(IsWindowVisible(open.menuWindow)) << "the menu is closed";
    ASSERT_NE(nullptr, open.menuWindow) << "no menu window appeared";
    ASSERT_FALSE(open.timedOut) << "phase " << open.phase << " when the guard closed the menu";
    ASSERT_FALSE(open.shot.empty());
    const std::string png = SaveShot(open.shot, c.name);
    EXPECT_FALSE(png.empty());
    std::printf("  %s%s\n", png.c_str(), open.postedKey ? " (key posted to the menu)" : "");

    const ScreenShot& shot = open.shot;
    const int W = shot.width, H = shot.height;
    RECT item = open.selectedItem;
    OffsetRect(&item, -shot.where.left, -shot.where.top);
    ASSERT_GT(item.right - item.left, 20);
    ASSERT_GT(item.bottom - item.top, 8);

    if (c.background) {
        EXPECT_GT(shot.Count(kTileA), 30) << "tile colour A";
        EXPECT_GT(shot.Count(kTileB), 30) << "tile colour B";
    } else {
        EXPECT_GT(shot.Count(kMenuBack), 200) << "menu background";
        EXPECT_GT(shot.Count(kColumn), 100) << "picture column";
        if (c.rtl) {
            const RECT left{0, 0, W / 4, H}, right{W - W / 4, 0, W, H};
            EXPECT_GT(shot.Count(kColumn, right), 4 * shot.Count(kColumn, left)) << "the picture column is on the right";
        }
    }

    // The selection bar, item-relative as the painter lays it out.
    ASSERT_GE(open.selectedIndex, 0);
    CMenuItem* first = form.Record(popup, open.selectedIndex);
    ASSERT_NE(nullptr, first);
    const LONG picW = form.q()->GetPictureColumnWidth(*first), cx = item.right - item.left;
    RECT hl = item;
    if (c.style != 9) {
        if (c.rtl) {
            hl.right = item.left + cx - (picW + 2);
        } else {
            hl.left = item.left + picW + 2;
        }
    }
    if (c.border == 2 && !c.rtl) hl.right = std::min<LONG>(hl.right, item.left + cx - 2);
    const HighlightAreas areas = AreasFor(c.style, hl);
    for (const RECT& r : areas.start) {
        EXPECT_LE(Nearest(shot, r, kHighlight), areas.tolerance)
            << "MenuHighlight at the start of the bar (" << r.left << "," << r.top << ")-(" << r.right << ","
            << r.bottom << ")";
    }
    for (const RECT& r : areas.ends) {
        EXPECT_GT(Nearest(shot, r, kHighlight), areas.tolerance) << "the gradient has left MenuHighlight at " << r.left;
    }
    if (c.style == 0 || c.style == 9) {
        const RECT inner = Part(hl, 0, 0.15, 1, 0.85);
        const int area = (inner.right - inner.left) * (inner.bottom - inner.top);
        EXPECT_GT(shot.Count(kHighlight, inner), area / 3) << "a solid bar";
    }
    if (c.style == 9) {
        EXPECT_GT(shot.Count(kBorder, {hl.left, hl.top, hl.right, hl.top + 1}), (hl.right - hl.left) / 2)
            << "XP outline on the selected item";
    }

    const RECT top{0, 0, W, 1}, left{0, 0, 1, H}, bottom{0, H - 1, W, H}, right{W - 1, 0, W, H};
    if (c.border == 1) {
        for (const RECT& edge : {top, left, bottom, right}) {
            EXPECT_GE(EdgeShare(shot, kBorder, edge), 0.9) << "Flat outline at the outer edge " << edge.left << ","
                                                            << edge.top;
        }
    } else if (c.border == 2) {
        EXPECT_GE(EdgeShare(shot, kBorder, top), 0.9) << "top outline";
        EXPECT_GE(EdgeShare(shot, kBorder, left), 0.9) << "left outline";
        EXPECT_LT(EdgeShare(shot, kBorder, right), 0.5) << "the shadow is outside the right outline";
    } else {
        EXPECT_LT(EdgeShare(shot, kBorder, left), 0.5) << "Normal keeps the system's border";
    }

    if (c.by == OpenBy::BarClick) ExpectMenuBar(c, open.barShot, owner, bar);

    SetMenu(owner, nullptr);
    DestroyMenu(bar);
}

const Case kCases[] = {
    {"popup_plain", 0, 0, false, false, OpenBy::TrackPopup},
    {"popup_horizontal_left_to_right", 1, 0, false, false, OpenBy::TrackPopup},
    {"popup_horizontal_right_to_left", 2, 0, false, false, OpenBy::TrackPopup},
    {"popup_horizontal_center", 3, 0, false, false, OpenBy::TrackPopup},
    {"popup_vertical_top_to_bottom", 4, 0, false, false, OpenBy::TrackPopup},
    {"popup_vertical_bottom_to_top", 5, 0, false, false, OpenBy::TrackPopup},
    {"popup_vertical_center", 6, 0, false, false, OpenBy::TrackPopup},
    {"popup_diagonal", 7, 0, false, false, OpenBy::TrackPopup},
    {"popup_radial", 8, 0, false, false, OpenBy::TrackPopup},
    {"popup_xp", 9, 0, false, false, OpenBy::TrackPopup},
    {"popup_flat_plain", 0, 1, false, false, OpenBy::TrackPopup},
    {"popup_flat_shadow_plain", 0, 2, false, false, OpenBy::TrackPopup},
    {"popup_background_plain", 0, 0, true, false, OpenBy::TrackPopup},
    {"popup_background_flat_vertical", 4, 1, true, false, OpenBy::TrackPopup},
    {"popup_right_to_left_plain", 0, 0, false, true, OpenBy::TrackPopup},
    {"bar_plain", 0, 0, false, false, OpenBy::BarClick},
    {"bar_xp_flat", 9, 1, false, false, OpenBy::BarClick},
    {"bar_background_flat_shadow", 1, 2, true, false, OpenBy::BarClick},
};

INSTANTIATE_TEST_SUITE_P(Cases, RealMenu, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
