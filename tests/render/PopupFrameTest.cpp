// Popup frames, shadows, the screen capture of a menu loop and background
// tiles, painted by the control into real windows through WM_DRAWITEM.
#include <windows.h>
#include <vector>
#include <olectl.h>
#include <gtest/gtest.h>
#include <memory>
#include "tests/control/Automation.h"
#include "tests/menu/MenuFixture.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr COLORREF kScreen = RGB(100, 150, 200);  // what lies under the popup
constexpr COLORREF kBack = RGB(200, 50, 100);     // MenuBackground
constexpr COLORREF kLine = RGB(10, 20, 30);       // MenuHighlightBorder
constexpr LONG kItemHeight = 20;

LRESULT CALLBACK SolidProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A topmost window whose client area is one colour.
HWND MakeSolidWindow(DWORD style, int x, int y, int w, int h, COLORREF color) {
    static const ATOM atom = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = SolidProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QuillonFrameTestSolid";
        return RegisterClassA(&wc);
    }();
    EXPECT_NE(0, atom);
    HWND hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "QuillonFrameTestSolid", nullptr, style, x, y, w, h,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(color));
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    return hwnd;
}

ComPtr<IPictureDisp> OwningPicture(PICTDESC& pd) {
    pd.cbSizeofstruct = sizeof pd;
    ComPtr<IPictureDisp> pic;
    EXPECT_EQ(S_OK, OleCreatePictureIndirect(&pd, IID_IPictureDisp, TRUE, pic.put_void()));
    return pic;
}

// A w by h bitmap whose pixel (i, j) is color(i, j).
template <class Color>
HBITMAP PaintedBitmap(int w, int h, Color color) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bmp);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) SetPixelV(mem, i, j, color(i, j));
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return bmp;
}

template <class Color>
ComPtr<IPictureDisp> PatternPicture(int w, int h, Color color) {
    PICTDESC pd{};
    pd.picType = PICTYPE_BITMAP;
    pd.bmp.hbitmap = PaintedBitmap(w, h, color);
    return OwningPicture(pd);
}

// An opaque 8 by 8 icon.
template <class Color>
ComPtr<IPictureDisp> IconPicture(Color color) {
    const BYTE zeros[16] = {};
    HBITMAP mask = CreateBitmap(8, 8, 1, 1, zeros);
    HBITMAP image = PaintedBitmap(8, 8, color);
    ICONINFO ii{TRUE, 0, 0, mask, image};
    PICTDESC pd{};
    pd.picType = PICTYPE_ICON;
    pd.icon.hicon = CreateIconIndirect(&ii);
    DeleteObject(mask);
    DeleteObject(image);
    return OwningPicture(pd);
}

class PopupFrame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(S_OK, host.Let(L"UseCustomColors", Variant::Bool(true)));
        ASSERT_EQ(S_OK, host.Let(L"MenuBackground", Color(kBack)));
        ASSERT_EQ(S_OK, host.Let(L"MenuHighlightBorder", Color(kLine)));
        backdrop = MakeSolidWindow(WS_POPUP, 200, 200, 600, 500, kScreen);
        PumpMessages(100);
    }
    void TearDown() override {
        SendMessageA(form.window.hwnd(), WM_EXITMENULOOP, 0, 0);
        if (popup) DestroyWindow(popup);
        DestroyWindow(backdrop);
        if (menu) DestroyMenu(menu);
        PumpMessages(0);
    }
    Quillon* q() const { return form.q(); }
    void SetBorder(LONG border) { ASSERT_EQ(S_OK, host.Let(L"MenuBorder", Variant::Long(border))); }

    // A converted popup menu of `items` items, the menu loop started, and a
    // framed window over the backdrop to paint it in.
    void OpenPopup(int items) {
        menu = CreatePopupMenu();
        for (int i = 0; i < items; ++i) AppendMenuA(menu, MF_STRING, 100 + i, i ? "Second" : "First");
        form.Open(menu);
        SendMessageA(form.window.hwnd(), WM_ENTERMENULOOP, 0, 0);
        RECT frame{0, 0, 240, items * kItemHeight};
        AdjustWindowRectEx(&frame, kPopupStyle, FALSE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
        popup = MakeSolidWindow(kPopupStyle, 300, 300, frame.right - frame.left, frame.bottom - frame.top,
                                RGB(255, 255, 255));
        PumpMessages(100);
        RECT wr, cr;
        GetWindowRect(popup, &wr);
        GetClientRect(popup, &cr);
        W = wr.right - wr.left;
        H = wr.bottom - wr.top;
        clientWidth = cr.right;
        POINT origin{0, 0};
        ClientToScreen(popup, &origin);
        bt = origin.y - wr.top;
        br = wr.right - (origin.x + cr.right);
        bb = wr.bottom - (origin.y + cr.bottom);
        ASSERT_GE(br, 3) << "the frame must be wide enough to tell the shadow from the line";
        ASSERT_GE(bb, 3);
    }
    void DrawItem(int position, LONG top, LONG height = kItemHeight) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = 100 + static_cast<UINT>(position);
        dis.itemAction = ODA_DRAWENTIRE;
        dis.hwndItem = reinterpret_cast<HWND>(menu);
        dis.hDC = GetDC(popup);
        dis.rcItem = RECT{0, top, clientWidth, top + height};
        dis.itemData = DataOf(menu, position);
        ASSERT_NE(0u, dis.itemData);
        SendMessageA(form.window.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        ReleaseDC(popup, dis.hDC);
    }
    COLORREF WindowPixel(LONG x, LONG y) const {
        HDC dc = GetWindowDC(popup);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(popup, dc);
        return c;
    }
    static constexpr DWORD kPopupStyle = WS_POPUP | WS_DLGFRAME;
    MenuForm form;
    Automation host{form.control->container.Query<IDispatch>(IID_IDispatch).get()};
    HWND backdrop = nullptr;
    HWND popup = nullptr;
    HMENU menu = nullptr;
    LONG W = 0, H = 0, bt = 0, br = 0, bb = 0, clientWidth = 0;
};

TEST_F(PopupFrame, AMenuLoopWithShadowsHoldsAPhotographOfEveryScreen) {
    for (LONG border : {0, 1}) {
        SetBorder(border);
        SendMessageA(form.window.hwnd(), WM_ENTERMENULOOP, 0, 0);
        EXPECT_EQ(nullptr, q()->ScreenCapture()) << "no shadows to compute, border " << border;
        SendMessageA(form.window.hwnd(), WM_EXITMENULOOP, 0, 0);
    }
    SetBorder(2);
    SendMessageA(form.window.hwnd(), WM_ENTERMENULOOP, 0, 0);
    ASSERT_NE(nullptr, q()->ScreenCapture());
    HBITMAP bitmap = nullptr;
    {
        auto picture = ComPtr<IPictureDisp>(q()->ScreenCapture()).As<IPicture>(IID_IPicture);
        ASSERT_TRUE(picture);
        SHORT type = 0;
        OLE_HANDLE handle = 0;
        picture->get_Type(&type);
        picture->get_Handle(&handle);
        EXPECT_EQ(PICTYPE_BITMAP, type);
        bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        BITMAP bm{};
        ASSERT_EQ(static_cast<int>(sizeof bm), GetObject(bitmap, sizeof bm, &bm));
        EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), bm.bmWidth);
        EXPECT_EQ(GetSystemMetrics(SM_CYVIRTUALSCREEN), bm.bmHeight);
        HDC mem = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(mem, bitmap);
        EXPECT_EQ(kScreen, GetPixel(mem, 250, 250)) << "the backdrop is in the photograph";
        SelectObject(mem, old);
        DeleteDC(mem);
    }
    SendMessageA(form.window.hwnd(), WM_ENTERMENULOOP, 0, 0);
    EXPECT_EQ(0u, GetObjectType(bitmap)) << "a new loop replaces the photograph";
    ASSERT_NE(nullptr, q()->ScreenCapture());
    SendMessageA(form.window.hwnd(), WM_EXITMENULOOP, 0, 0);
    EXPECT_EQ(nullptr, q()->ScreenCapture());
}

TEST_F(PopupFrame, NormalLeavesTheSystemBorder) {
    SetBorder(0);
    OpenPopup(1);
    const POINT probes[] = {{0, H / 2}, {1, H / 2}, {W - 1, H / 2}, {W - 2, H / 2}, {W / 2, 0}, {W / 2, H - 1}};
    COLORREF before[6];
    for (int i = 0; i < 6; ++i) before[i] = WindowPixel(probes[i].x, probes[i].y);
    DrawItem(0, 0);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(before[i], WindowPixel(probes[i].x, probes[i].y)) << i;
        EXPECT_NE(kLine, before[i]) << i;
    }
}

TEST_F(PopupFrame, FlatOutlinesASingleItemPopupAllRound) {
    SetBorder(1);
    OpenPopup(1);
    DrawItem(0, 0);
    EXPECT_EQ(kLine, WindowPixel(0, H / 2));
    EXPECT_EQ(kLine, WindowPixel(W - 1, H / 2));
    EXPECT_EQ(kLine, WindowPixel(W / 2, 0));
    EXPECT_EQ(kLine, WindowPixel(W / 2, H - 1));
    EXPECT_EQ(kLine, WindowPixel(W - 1, H - 1));
    EXPECT_EQ(kBack, WindowPixel(1, H / 2));
    EXPECT_EQ(kBack, WindowPixel(W - 2, H / 2));
    EXPECT_EQ(kBack, WindowPixel(W / 2, 1));
    EXPECT_EQ(kBack, WindowPixel(W / 2, H - 2));
}

TEST_F(PopupFrame, EachItemPaintsOnlyTheBorderBesideIt) {
    SetBorder(1);
    OpenPopup(2);
    const COLORREF top = WindowPixel(W / 2, 1), besideFirst = WindowPixel(1, bt + 2);
    DrawItem(1, kItemHeight);
    EXPECT_EQ(kBack, WindowPixel(1, bt + kItemHeight + 2));
    EXPECT_EQ(kLine, WindowPixel(W / 2, H - 1)) << "the last item closes the bottom";
    EXPECT_EQ(top, WindowPixel(W / 2, 1));
    EXPECT_EQ(besideFirst, WindowPixel(1, bt + 2));
    EXPECT_NE(kBack, top);
}

TEST_F(PopupFrame, FlatWithShadowDarkensTheScreenBeneath) {
    SetBorder(2);
    OpenPopup(1);
    DrawItem(0, 0);
    const COLORREF inner = RGB(80, 120, 160);  // 80 % of the screen
    const COLORREF outer = RGB(120, 80, 120);  // 80 % of its mean with the background
    EXPECT_EQ(inner, WindowPixel(W - 2, H / 2));
    EXPECT_EQ(outer, WindowPixel(W - 1, H / 2));
    EXPECT_EQ(inner, WindowPixel(W / 2, H - 2));
    EXPECT_EQ(outer, WindowPixel(W / 2, H - 1));
    // The shadow starts two pixels in from the corners.
    for (LONG i = 0; i < 2; ++i) {
        EXPECT_EQ(kScreen, WindowPixel(W - 2, i)) << i;
        EXPECT_EQ(kScreen, WindowPixel(W - 1, i)) << i;
        EXPECT_EQ(kScreen, WindowPixel(i, H - 2)) << i;
        EXPECT_EQ(kScreen, WindowPixel(i, H - 1)) << i;
    }
    // The outline moves to the inner edge of the right and bottom border.
    EXPECT_EQ(kLine, WindowPixel(W - br, H / 2));
    EXPECT_EQ(kLine, WindowPixel(W / 2, H - bb));
    EXPECT_EQ(kLine, WindowPixel(0, H / 2));
    EXPECT_EQ(kLine, WindowPixel(W / 2, 0));
    EXPECT_EQ(kBack, WindowPixel(1, H / 2));
}

// Over a striped screen every shadow pixel is the shade of the captured
// pixel right beneath it, row by row and column by column.
TEST_F(PopupFrame, ShadowsFollowTheScreenPixelByPixel) {
    std::vector<HWND> stripes;
    for (int i = 0; i < 12; ++i)  // 4-pixel bands of three colours across where the popup goes
        stripes.push_back(MakeSolidWindow(WS_POPUP, 250 + (i % 2) * 3, 296 + 4 * i, 400, 4,
                                          RGB(40 + 60 * (i % 3), 200 - 50 * (i % 3), 30 + 20 * i)));
    PumpMessages(100);
    SetBorder(2);
    OpenPopup(2);
    DrawItem(0, 0);
    DrawItem(1, kItemHeight);
    auto capture = ComPtr<IPictureDisp>(q()->ScreenCapture()).As<IPicture>(IID_IPicture);
    ASSERT_TRUE(capture);
    OLE_HANDLE handle = 0;
    ASSERT_EQ(S_OK, capture->get_Handle(&handle));
    HDC screenDC = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(screenDC, reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle)));
    ASSERT_NE(nullptr, old);
    RECT wr{};
    GetWindowRect(popup, &wr);
    auto beneath = [&](LONG x, LONG y) { return GetPixel(screenDC, wr.left + x, wr.top + y); };
    int checked = 0, distinct = 0;
    COLORREF last = CLR_INVALID;
    for (LONG y = 2; y < H - 2; ++y) {
        const COLORREF under = beneath(W - 2, y);
        distinct += under != last;
        last = under;
        EXPECT_EQ(DarkenColor(under), WindowPixel(W - 2, y)) << "right, inner, row " << y;
        EXPECT_EQ(DarkenColor(BlendColors(kBack, beneath(W - 1, y), 0.5f)), WindowPixel(W - 1, y)) << "row " << y;
        ++checked;
    }
    for (LONG x = 2; x < W; ++x) {
        EXPECT_EQ(DarkenColor(beneath(x, H - 2)), WindowPixel(x, H - 2)) << "bottom, inner, column " << x;
        EXPECT_EQ(DarkenColor(BlendColors(kBack, beneath(x, H - 1), 0.5f)), WindowPixel(x, H - 1)) << x;
    }
    EXPECT_GT(checked, 10);
    EXPECT_GE(distinct, 3) << "the stripes lie under the shadow";
    SelectObject(screenDC, old);
    DeleteDC(screenDC);
    for (HWND w : stripes) DestroyWindow(w);
}

// A popup hanging one pixel past the right edge of the screen: the outer
// shadow column has nothing captured beneath it and is left alone, while
// the inner one and the bottom shadow are still shaded.
TEST_F(PopupFrame, AShadowPartlyOffTheScreenShadesWhatWasCaptured) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    HWND edge = MakeSolidWindow(WS_POPUP, screenWidth - 400, 100, 400, 300, kScreen);
    PumpMessages(100);
    SetBorder(2);
    OpenPopup(1);
    SetWindowPos(popup, HWND_TOPMOST, screenWidth - W + 1, 150, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    PumpMessages(50);
    DrawItem(0, 0);
    const COLORREF inner = RGB(80, 120, 160);
    const COLORREF outer = RGB(120, 80, 120);
    EXPECT_EQ(inner, WindowPixel(W - 2, H / 2));
    EXPECT_EQ(inner, WindowPixel(W / 2, H - 2));
    EXPECT_EQ(outer, WindowPixel(W / 2, H - 1));
    EXPECT_EQ(kLine, WindowPixel(W - br, H / 2));
    DestroyWindow(edge);
}

// Client pixels away from the caption: the right part of each item.
void ExpectTiled(HWND popup, LONG clientWidth, LONG rows, int tw, int th,
                 COLORREF (*pattern)(int, int)) {
    HDC dc = GetDC(popup);
    int wrong = 0;
    for (LONG y = 0; y < rows; ++y)
        for (LONG x = clientWidth - 60; x < clientWidth - 30; ++x)
            wrong += GetPixel(dc, x, y) != pattern(static_cast<int>(x % tw), static_cast<int>(y % th));
    ReleaseDC(popup, dc);
    EXPECT_EQ(0, wrong);
}

COLORREF Pattern(int i, int j) { return RGB(30 * i, 40 * j, 77); }

TEST_F(PopupFrame, TheBackgroundTilesRunOnAcrossItems) {
    auto picture = PatternPicture(7, 5, Pattern);
    ASSERT_EQ(S_OK, host.Set(L"BackgroundPicture", Variant::Object(picture.get(), VT_DISPATCH)));
    OpenPopup(2);
    // 13-pixel items: neither tile size divides the item height.
    DrawItem(0, 0, 13);
    DrawItem(1, 13, 13);
    ExpectTiled(popup, clientWidth, 26, 7, 5, Pattern);
}

COLORREF Green(int, int) { return RGB(0, 200, 0); }
COLORREF Red(int, int) { return RGB(220, 0, 0); }

TEST_F(PopupFrame, TinyAndIconBackgroundsTileToo) {
    auto pixel = PatternPicture(1, 1, Green);
    ASSERT_EQ(S_OK, host.Set(L"BackgroundPicture", Variant::Object(pixel.get(), VT_DISPATCH)));
    OpenPopup(1);
    DrawItem(0, 0);
    ExpectTiled(popup, clientWidth, kItemHeight, 1, 1, Green);

    auto icon = IconPicture(Red);
    ASSERT_EQ(S_OK, host.Set(L"BackgroundPicture", Variant::Object(icon.get(), VT_DISPATCH)));
    DrawItem(0, 0);
    ExpectTiled(popup, clientWidth, kItemHeight, 8, 8, Red);
}

}  // namespace
