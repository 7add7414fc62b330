// Owner-drawn items painted by WM_DRAWITEM sent to a hooked form, into a
// DIB section, and read back pixel by pixel.
#include <windows.h>
#include <gtest/gtest.h>
#include "control/ApiDeclares.h"
#include "render/ColorUtils.h"
#include "render/ItemText.h"
#include "tests/control/Automation.h"
#include "tests/menu/MenuFixture.h"
#include "tests/render/Canvas.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr COLORREF kMenuBack = RGB(240, 240, 240), kColumn = RGB(200, 220, 255), kBarBack = RGB(230, 230, 200),
                   kText = RGB(0, 0, 0), kDisabled = RGB(128, 128, 128), kLightText = RGB(255, 255, 255),
                   kHighlight = RGB(0, 0, 200), kBorder = RGB(200, 0, 0);
constexpr int kCx = 200, kCy = 22;

// A form whose bar holds "&File" with a popup of six items, converted by
// opening it, and custom colours that tell every painted part apart.
struct DrawnMenu {
    enum { kOpen, kSaveClose, kSeparator, kDisabledItem, kCheckedItem, kLast };
    HMENU bar = CreateMenu();
    HMENU popup = CreatePopupMenu();
    std::unique_ptr<MenuForm> form;
    std::unique_ptr<Automation> host;
    Canvas canvas{kCx, 3 * kCy};

    DrawnMenu() {
        AppendMenuA(popup, MF_STRING, 1, "&Open\tCtrl+O");
        AppendMenuA(popup, MF_STRING, 2, "Save && Close");
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(popup, MF_STRING | MF_GRAYED, 4, "&Disabled");
        AppendMenuA(popup, MF_STRING | MF_CHECKED, 5, "Checked");
        AppendMenuA(popup, MF_STRING, 6, "Last");
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File");
        form = std::make_unique<MenuForm>(bar);
        host = std::make_unique<Automation>(form->control->container.Query<IDispatch>(IID_IDispatch).get());
        Let(L"UseCustomColors", Variant::Bool(true));
        const std::pair<const wchar_t*, COLORREF> colors[] = {
            {L"MenuBackground", kMenuBack}, {L"BitmapBackground", kColumn},    {L"MenuBarBackground", kBarBack},
            {L"TextColor", kText},          {L"DisabledTextColor", kDisabled}, {L"HighlightedTextColor", kLightText},
            {L"MenuHighlight", kHighlight}, {L"MenuHighlightBorder", kBorder}};
        for (const auto& [name, color] : colors) Let(name, Color(color));
        Let(L"HighlightStyle", Variant::Long(qlHighlightPlain));
        form->Open(popup);
        Record(kOpen)->SetPicture(SolidPicture(RGB(0, 128, 0), 16, 16).get());
    }
    ~DrawnMenu() {
        SetMenu(form->window.hwnd(), nullptr);
        form.reset();
        DestroyMenu(bar);
    }
    void Let(const wchar_t* name, const Variant& v) { ASSERT_EQ(S_OK, host->Let(name, v)) << name; }
    CMenuItem* Record(int position) const { return form->Record(popup, position); }
    HMENU MenuOf(int position) const { return position < 0 ? bar : popup; }
    LONG PicW() { return form->q()->GetPictureColumnWidth(*Record(kOpen)); }

    // Sends WM_DRAWITEM for the popup item at `position` (-1: the bar's
    // File) painted at row `top` of the canvas.
    LRESULT Draw(int position, UINT state = 0, int top = kCy, int cy = kCy) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hDC = canvas.dc;
        dis.rcItem = {0, top, kCx, top + cy};
        dis.itemData = DataOf(MenuOf(position), position < 0 ? 0 : position);
        return SendMessageA(form->window.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    }
    // The pixel at item coordinates (x, y) of the item drawn at row kCy.
    COLORREF At(int x, int y) const { return canvas.At(x, kCy + y); }
    RECT Item(int left = 0, int right = kCx, int cy = kCy) const { return {left, kCy, right, kCy + cy}; }
};

bool IsInk(COLORREF c) { return c != kMenuBack && c != kColumn && c != kHighlight; }

TEST(PopupItem, PictureColumnAndSelectionBarForEachBorder) {
    DrawnMenu m;
    const LONG picW = m.PicW();
    ASSERT_GE(picW, 20);
    for (LONG border : {qlBorderNormal, qlBorderFlat, qlBorderFlatWithShadow}) {
        SCOPED_TRACE(border);
        m.Let(L"MenuBorder", Variant::Long(border));
        m.canvas.Fill(kSentinel);
        EXPECT_EQ(1, m.Draw(DrawnMenu::kSaveClose));
        EXPECT_EQ(kSentinel, m.canvas.At(5, kCy - 1)) << "nothing above the item";
        EXPECT_EQ(kColumn, m.At(picW, 1));
        EXPECT_EQ(kMenuBack, m.At(picW + 1, 1));
        EXPECT_EQ(kColumn, m.At(picW / 2, kCy / 2)) << "no picture, empty column";
        POINT origin{-1, -1};
        GetViewportOrgEx(m.canvas.dc, &origin);
        EXPECT_EQ(0, origin.x + origin.y) << "origin restored";

        m.Draw(DrawnMenu::kSaveClose, ODS_SELECTED);
        EXPECT_EQ(kHighlight, m.At(picW + 2, 1));
        EXPECT_EQ(kMenuBack, m.At(picW + 1, 1));
        const bool shadow = border == qlBorderFlatWithShadow;
        EXPECT_EQ(shadow ? kMenuBack : kHighlight, m.At(kCx - 1, 1)) << "the bar leaves room for the shadow";
        EXPECT_EQ(kHighlight, m.At(kCx - 3, 1));

        m.Draw(DrawnMenu::kLast, ODS_SELECTED);
        EXPECT_EQ(shadow ? kMenuBack : kHighlight, m.At(kCx / 2, kCy - 1)) << "the last item is shorter";
        EXPECT_EQ(shadow ? kMenuBack : kColumn, m.At(picW, kCy - 1)) << "and so is its picture column";
    }
    // The picture cell: centred, framed when selected.
    m.Let(L"MenuBorder", Variant::Long(qlBorderNormal));
    m.Draw(DrawnMenu::kOpen, ODS_SELECTED);
    EXPECT_EQ(RGB(0, 128, 0), m.At(picW / 2, kCy / 2));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), m.At(0, 0)) << "raised cell edge";
}

TEST(PopupItem, CheckMarksEmbossingAndSeparators) {
    DrawnMenu m;
    ASSERT_EQ(S_OK, m.host->Set(L"CheckMark", Variant::Object(SolidPicture(RGB(255, 0, 0), 12, 12).get(), VT_DISPATCH)));
    const LONG picW = m.PicW();
    m.Draw(DrawnMenu::kCheckedItem);
    EXPECT_EQ(RGB(255, 0, 0), m.At(picW / 2, kCy / 2)) << "the host's check mark";
    m.Draw(DrawnMenu::kLast);
    EXPECT_EQ(kColumn, m.At(picW / 2, kCy / 2));

    // Disabled text: a light copy one pixel down and right, except when
    // selected or in the XP style without background picture.
    const RECT text = m.Item(picW + 6);
    m.Draw(DrawnMenu::kDisabledItem, ODS_GRAYED);
    EXPECT_GT(m.canvas.Count(kLightText, text), 0);
    EXPECT_GT(m.canvas.Count(kDisabled, text), 0);
    m.Draw(DrawnMenu::kDisabledItem, ODS_GRAYED | ODS_SELECTED);
    EXPECT_EQ(0, m.canvas.Count(kLightText, text));
    EXPECT_GT(m.canvas.Count(kDisabled, text), 0);
    m.Let(L"HighlightStyle", Variant::Long(qlHighlightXP));
    m.Draw(DrawnMenu::kDisabledItem, ODS_GRAYED);
    EXPECT_EQ(0, m.canvas.Count(kLightText, text));

    // Separators, 9 pixels high: half of 9 rounds to 4 (even), 5.5 to 6.
    const int x = kCx / 2;
    m.Draw(DrawnMenu::kSeparator, 0, kCy, 9);
    EXPECT_EQ(kDisabled, m.At(x, 4)) << "XP: one line in the disabled colour";
    EXPECT_EQ(kMenuBack, m.At(x, 6));
    m.Let(L"HighlightStyle", Variant::Long(qlHighlightPlain));
    m.Draw(DrawnMenu::kSeparator, 0, kCy, 9);
    EXPECT_EQ(DarkenColor(DarkenColor(kMenuBack)), m.At(x, 4));
    EXPECT_EQ(kMenuBack, m.At(x, 5));
    EXPECT_EQ(LightenColor(LightenColor(kMenuBack)), m.At(x, 6));
    EXPECT_EQ(LightenColor(LightenColor(kMenuBack)), m.At(x, 7));
    EXPECT_EQ(kColumn, m.At(picW / 2, 4));
    m.Let(L"BitmapBackground", Color(kMenuBack));
    m.Draw(DrawnMenu::kSeparator, 0, kCy, 9);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), m.At(x, 4)) << "one colour: a sunken edge";
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), m.At(x, 5));
    EXPECT_EQ(kMenuBack, m.At(1, 4)) << "two pixels in with the Normal border";
}

TEST(PopupItem, RightToLeftMirrorsColumnCaptionAndShortcut) {
    DrawnMenu m;
    m.Let(L"RightToLeft", Variant::Bool(true));
    const LONG picW = m.PicW(), check = GetSystemMetrics(SM_CXMENUCHECK);
    m.Draw(DrawnMenu::kOpen);
    EXPECT_EQ(kColumn, m.At(kCx - picW - 1, 1));
    EXPECT_EQ(kMenuBack, m.At(kCx - picW - 2, 1));
    EXPECT_EQ(RGB(0, 128, 0), m.At(kCx - picW / 2, kCy / 2)) << "picture on the right";
    int minInk = kCx, maxInk = -1;
    for (int y = 0; y < kCy; ++y)
        for (int x = 0; x < kCx - picW - 1; ++x)
            if (IsInk(m.At(x, y))) minInk = std::min(minInk, x), maxInk = std::max(maxInk, x);
    EXPECT_GE(minInk, check) << "shortcut column starts after the arrow margin";
    EXPECT_LT(maxInk, kCx - (picW + 6)) << "caption ends picW + 6 from the right";
    EXPECT_GT(maxInk, kCx - (picW + 6) - 8) << "and is right-aligned there";
}

TEST(PopupItem, TextOverABackgroundPictureIsXoredWithTheTile) {
    DrawnMenu m;
    const COLORREF tile = RGB(51, 102, 153), inverted = RGB(204, 153, 102);
    ASSERT_EQ(S_OK, m.host->Set(L"BackgroundPicture", Variant::Object(SolidPicture(tile, 8, 8).get(), VT_DISPATCH)));
    m.Draw(DrawnMenu::kSaveClose);
    const RECT item = m.Item();
    EXPECT_EQ(m.canvas.Count(tile, item) + m.canvas.Count(inverted, item), kCx * kCy) << "tile or its inverse only";
    EXPECT_GT(m.canvas.Count(inverted, item), 20) << "the text";
    m.Draw(DrawnMenu::kSaveClose, ODS_SELECTED);
    EXPECT_GT(m.canvas.Count(kLightText, item), 20) << "a selected item's text is drawn normally";
    EXPECT_EQ(0, m.canvas.Count(inverted, item));
}

TEST(PopupItem, AHostPaintingTheItemGetsItUntouched) {
    DrawnMenu m;
    EventSink& events = m.form->events();
    events.onEvent = [](DISPID id, DISPPARAMS* params) {
        if (id == DISPID_DrawMenuItem && params->cArgs == 6) *V_BOOLREF(&params->rgvarg[0]) = VARIANT_TRUE;
    };
    EXPECT_EQ(1, m.Draw(DrawnMenu::kSaveClose, ODS_SELECTED));
    EXPECT_EQ(kCx * kCy, m.canvas.Count(kSentinel, m.Item()));
    ASSERT_EQ(1, events.Count(DISPID_DrawMenuItem));
    const EventCall& call = events.calls.back();
    ASSERT_EQ(6u, call.args.size());
    EXPECT_EQ(kCx, AsLong(call.args[3]));  // cx (arguments are in reverse order)
    EXPECT_EQ(kCy, AsLong(call.args[4]));
    EXPECT_NE(0, AsLong(call.args[2])) << "selected";
    POINT origin{-1, -1};
    GetViewportOrgEx(m.canvas.dc, &origin);
    EXPECT_EQ(0, origin.x + origin.y);
    events.onEvent = nullptr;
}

TEST(BarItem, BackgroundFramesAndTheXpBox) {
    DrawnMenu m;
    m.Draw(-1);
    EXPECT_EQ(kBarBack, m.At(1, 1));
    m.Draw(-1, ODS_SELECTED);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), m.At(0, 0)) << "raised while no menu is open";
    EXPECT_EQ(kMenuBack, m.At(3, 3)) << "custom colours: a selected bar item in the menu background";
    m.Let(L"MenuBorder", Variant::Long(qlBorderFlat));
    m.Draw(-1, ODS_SELECTED);
    EXPECT_EQ(kBorder, m.At(0, 0));
    EXPECT_EQ(kBorder, m.At(kCx - 1, kCy - 1));
    EXPECT_EQ(kBorder, m.At(kCx / 2, kCy - 1)) << "closed at the bottom";
    m.Let(L"HighlightStyle", Variant::Long(qlHighlightXP));
    m.Draw(-1, ODS_SELECTED);
    EXPECT_EQ(kHighlight, m.At(3, 3));
    const int ink = m.canvas.Count([](COLORREF c) { return c != kHighlight && c != kBorder; }, m.Item());
    EXPECT_GT(ink, 10) << "the caption";
}

TEST(ItemText, DoubledAmpersandsAndAccessKeysOnBothTextPaths) {
    const RECT r{0, 0, 120, 20};
    auto draw = [&](Canvas& c, const wchar_t* text, LONG language) {
        c.Fill(RGB(255, 255, 255));
        SetBkMode(c.dc, TRANSPARENT);
        DrawItemText(c.dc, text, r, DT_SINGLELINE | DT_VCENTER, language);
    };
    Canvas doubled(120, 20), literal(120, 20), keyed(120, 20), plain(120, 20);
    draw(doubled, L"Save && Close", qlJapanese);
    literal.Fill(RGB(255, 255, 255));
    SetBkMode(literal.dc, TRANSPARENT);
    RECT lr = r;
    DrawTextW(literal.dc, L"Save & Close", -1, &lr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    EXPECT_TRUE(doubled == literal) << "DrawTextA path";
    draw(keyed, L"&Open", qlEnglish);
    draw(plain, L"Open", qlEnglish);
    EXPECT_FALSE(keyed == plain) << "the access key is underlined";

    const ApiDeclares::VersionOverride win98{VER_PLATFORM_WIN32_WINDOWS, 4, 10};
    ApiDeclares::SetVersionOverride(&win98);
    draw(keyed, L"&Open", qlJapanese);
    draw(plain, L"Open", qlJapanese);
    EXPECT_TRUE(keyed == plain) << "no underline on the Unicode path";
    draw(doubled, L"Save && Close", qlJapanese);
    draw(plain, L"Save & Close", qlJapanese);
    EXPECT_FALSE(doubled == plain) << "a single ampersand is dropped";
    literal.Fill(RGB(255, 255, 255));
    SIZE extent{};
    GetTextExtentPoint32W(literal.dc, L"Save & Close", 12, &extent);
    TextOutW(literal.dc, 0, RoundHalfEven((20 - extent.cy) / 2.0), L"Save & Close", 12);
    EXPECT_TRUE(doubled == literal) << "a doubled one is one ampersand";
    ApiDeclares::SetVersionOverride(nullptr);
}

TEST(MenuChar, AccessKeysOfOwnerDrawnItemsExecuteThem) {
    DrawnMenu m;
    HWND form = m.form->window.hwnd();
    const LPARAM popup = reinterpret_cast<LPARAM>(m.popup);
    EXPECT_EQ(MAKELONG(3, MNC_EXECUTE), SendMessageA(form, WM_MENUCHAR, MAKEWPARAM('D', MF_POPUP), popup));
    EXPECT_EQ(MAKELONG(0, MNC_EXECUTE), SendMessageA(form, WM_MENUCHAR, MAKEWPARAM('o', MF_POPUP), popup));
    RecordingProc& proc = m.form->window.proc();
    const int before = proc.Count(WM_MENUCHAR);
    proc.answer = 0;
    EXPECT_EQ(0, SendMessageA(form, WM_MENUCHAR, MAKEWPARAM('Z', MF_POPUP), popup));
    HMENU other = CreatePopupMenu();
    SendMessageA(form, WM_MENUCHAR, MAKEWPARAM('D', MF_POPUP), reinterpret_cast<LPARAM>(other));
    SendMessageA(form, WM_MENUCHAR, MAKEWPARAM('D', 0), popup);
    EXPECT_EQ(before + 3, proc.Count(WM_MENUCHAR)) << "everything else reaches the form";
    DestroyMenu(other);
}

TEST(OnDrawItem, OnNt4TheWindowOriginMovesAndOtherStructuresPassOn) {
    DrawnMenu m;
    const ApiDeclares::VersionOverride nt4{VER_PLATFORM_WIN32_NT, 4, 0};
    ApiDeclares::SetVersionOverride(&nt4);
    m.Draw(DrawnMenu::kSaveClose, ODS_SELECTED);
    ApiDeclares::SetVersionOverride(nullptr);
    EXPECT_EQ(kHighlight, m.At(kCx - 1, 1));
    EXPECT_EQ(kSentinel, m.canvas.At(kCx - 1, kCy - 1));
    POINT origin{-1, -1};
    GetWindowOrgEx(m.canvas.dc, &origin);
    EXPECT_EQ(0, origin.x + origin.y);

    RecordingProc& proc = m.form->window.proc();
    const int before = proc.Count(WM_DRAWITEM);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.hDC = m.canvas.dc;
    SendMessageA(m.form->window.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    dis.CtlType = ODT_MENU;
    dis.itemData = 0x7FFF1234;  // not an item of ours
    SendMessageA(m.form->window.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(before + 2, proc.Count(WM_DRAWITEM));
}

}  // namespace
