// Owner-drawn items painted by WM_DRAWITEM sent to a hooked form, into a
// DIB section, and read back pixel by pixel.
#include <windows.h>
#include <gtest/gtest.h>
#include <initializer_list>
#include <utility>
#include <vector>
#include "control/ApiDeclares.h"
#include "render/ColorUtils.h"
#include "render/ItemText.h"
#include "tests/control/Automation.h"
#include "tests/help/HelpFixture.h"
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

ComPtr<IPictureDisp> OwnedPicture(PICTDESC pd) {
    pd.cbSizeofstruct = sizeof pd;
    ComPtr<IPictureDisp> pic;
    EXPECT_EQ(S_OK, OleCreatePictureIndirect(&pd, IID_IPictureDisp, TRUE, pic.put_void()));
    return pic;
}

// A picture object without an image.
ComPtr<IPictureDisp> EmptyPicture() {
    PICTDESC pd{};
    pd.picType = PICTYPE_NONE;
    return OwnedPicture(pd);
}

// A picture that is neither bitmap nor icon: an enhanced metafile filling
// its 16 by 16 frame in red.
ComPtr<IPictureDisp> MetafilePicture() {
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{0, 0, 16, 16};
    FillRect(dc, &r, red);
    DeleteObject(red);
    PICTDESC pd{};
    pd.picType = PICTYPE_ENHMETAFILE;
    pd.emf.hemf = CloseEnhMetaFile(dc);
    return OwnedPicture(pd);
}

// The system's raised edge around a cell: light top-left, dark bottom-right.
void ExpectRaisedCell(const DrawnMenu& m, LONG left, LONG right, LONG bottom) {
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), m.At(left, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), m.At(left, bottom / 2));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), m.At(right - 1, bottom / 2));
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), m.At((left + right) / 2, bottom - 1));
}

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

TEST(PopupItem, TheDefaultCheckMarkItsRaisedCellAndTheXpOutline) {
    // The stock check mark comes from the resource library read at start-up;
    // the test library's is red.
    LibraryFolder library(TestLibraryFolder());
    DrawnMenu m;
    const LONG picW = m.PicW();
    m.Draw(DrawnMenu::kCheckedItem);
    EXPECT_EQ(RGB(255, 0, 0), m.At(picW / 2, kCy / 2)) << "the default check mark";
    SCOPED_TRACE("a checked item is raised even when not selected");
    ExpectRaisedCell(m, 0, picW, kCy);
    m.Draw(DrawnMenu::kLast);
    EXPECT_EQ(kColumn, m.At(0, 0)) << "no edge around an unchecked item's empty cell";
    EXPECT_EQ(kColumn, m.At(picW / 2, kCy / 2));

    // XP: no raised edge, a one-pixel outline from (1, 1) to (picW - 1, cy - 2).
    m.Let(L"HighlightStyle", Variant::Long(qlHighlightXP));
    m.Draw(DrawnMenu::kCheckedItem);
    EXPECT_EQ(RGB(255, 0, 0), m.At(picW / 2, kCy / 2));
    EXPECT_EQ(kColumn, m.At(0, 0));
    for (const POINT p : {POINT{1, 1}, POINT{picW - 1, 1}, POINT{picW - 1, kCy - 2}, POINT{1, kCy - 2},
                          POINT{picW / 2, 1}, POINT{1, kCy / 2}, POINT{picW - 1, kCy / 2}, POINT{picW / 2, kCy - 2}})
        EXPECT_EQ(kBorder, m.At(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_EQ(kColumn, m.At(picW, 1)) << "the outline ends at picW - 1";
    EXPECT_EQ(kColumn, m.At(2, 2)) << "inside the outline";
    m.Draw(DrawnMenu::kLast);
    EXPECT_EQ(kColumn, m.At(1, 1)) << "only checked items are outlined";
}

TEST(PopupItem, ACheckMarkAloneDoesNotMoveTheSelectionBarOffTheColumn) {
    // One colour for menu and column: the bar covers the column unless the
    // item has a picture of its own.
    DrawnMenu m;
    m.Let(L"BitmapBackground", Color(kMenuBack));
    ASSERT_EQ(S_OK, m.host->Set(L"CheckMark", Variant::Object(SolidPicture(RGB(255, 0, 0), 12, 12).get(), VT_DISPATCH)));
    const LONG picW = m.PicW();
    m.Draw(DrawnMenu::kCheckedItem, ODS_SELECTED);
    EXPECT_EQ(RGB(255, 0, 0), m.At(picW / 2, kCy / 2)) << "the check mark is drawn";
    EXPECT_EQ(kHighlight, m.At(picW + 1, kCy / 2)) << "the bar starts at 0";
    EXPECT_EQ(kHighlight, m.At(picW + 3, 1));
    m.Draw(DrawnMenu::kOpen, ODS_SELECTED);
    EXPECT_EQ(kMenuBack, m.At(picW + 1, kCy / 2)) << "an own picture keeps its column";
    EXPECT_EQ(kHighlight, m.At(picW + 2, 1));

    m.Let(L"RightToLeft", Variant::Bool(true));
    m.Draw(DrawnMenu::kCheckedItem, ODS_SELECTED);
    EXPECT_EQ(RGB(255, 0, 0), m.At(kCx - picW / 2, kCy / 2));
    EXPECT_EQ(kHighlight, m.At(kCx - picW - 2, kCy / 2)) << "right to left, the bar ends at cx";
    EXPECT_EQ(kHighlight, m.At(kCx - picW - 4, 1));
    m.Draw(DrawnMenu::kOpen, ODS_SELECTED);
    EXPECT_EQ(kMenuBack, m.At(kCx - picW - 2, kCy / 2)) << "an own picture: the bar ends at cx - picW - 2";
    EXPECT_EQ(kHighlight, m.At(kCx - picW - 3, 1));
}

TEST(PopupItem, PicturesThatCannotBeDrawnLeaveTheCellEmpty) {
    DrawnMenu m;
    CMenuItem* bar = m.form->Record(m.bar, 0);
    ASSERT_NE(nullptr, bar);
    for (const ComPtr<IPictureDisp>& picture : {EmptyPicture(), MetafilePicture()}) {
        ASSERT_TRUE(picture);
        m.Record(DrawnMenu::kSaveClose)->SetPicture(picture.get());
        m.Record(DrawnMenu::kCheckedItem)->SetPicture(picture.get());
        m.Record(DrawnMenu::kDisabledItem)->SetPicture(picture.get());
        bar->SetPicture(picture.get());
        const LONG picW = m.PicW();
        const RECT cell{0, kCy, picW, 2 * kCy};  // no picture, no edge
        for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED)}) {
            SCOPED_TRACE(state);
            EXPECT_EQ(1, m.Draw(DrawnMenu::kSaveClose, state));
            EXPECT_EQ(m.canvas.Count(kColumn, cell), (cell.right - cell.left) * (cell.bottom - cell.top));
            EXPECT_GT(m.canvas.Count(kText, m.Item(picW + 6)) + m.canvas.Count(kLightText, m.Item(picW + 6)), 20)
                << "the caption is still drawn";
            EXPECT_EQ(1, m.Draw(DrawnMenu::kCheckedItem, state));
            EXPECT_EQ(m.canvas.Count(kColumn, cell), (cell.right - cell.left) * (cell.bottom - cell.top))
                << "its own picture replaces the check mark";
            EXPECT_EQ(1, m.Draw(DrawnMenu::kDisabledItem, ODS_GRAYED | state));
            EXPECT_EQ(m.canvas.Count(kColumn, cell), (cell.right - cell.left) * (cell.bottom - cell.top));
            EXPECT_EQ(1, m.Draw(-1, state));
            EXPECT_EQ(0, m.canvas.Count(RGB(255, 0, 0), m.Item())) << "nothing of the bar item's picture";
            EXPECT_GT(m.canvas.Count(kText, m.Item()), 10) << "the bar item's caption";
        }
    }
}

TEST(PopupItem, RightToLeftWithTheFlatShadowBorder) {
    DrawnMenu m;
    m.Let(L"RightToLeft", Variant::Bool(true));
    m.Let(L"MenuBorder", Variant::Long(qlBorderFlatWithShadow));
    const LONG picW = m.PicW();
    // The column spans cx - picW - 3 to cx - 2, leaving the shadow's two pixels.
    m.Draw(DrawnMenu::kSaveClose);
    EXPECT_EQ(kMenuBack, m.At(kCx - picW - 4, 1));
    EXPECT_EQ(kColumn, m.At(kCx - picW - 3, 1));
    EXPECT_EQ(kColumn, m.At(kCx - 3, kCy - 1));
    EXPECT_EQ(kMenuBack, m.At(kCx - 2, 1));
    EXPECT_EQ(kMenuBack, m.At(kCx - 1, kCy - 1));
    // The bar: from 0 to cx - 2 less the column and its gap.
    m.Draw(DrawnMenu::kSaveClose, ODS_SELECTED);
    EXPECT_EQ(kHighlight, m.At(0, 1));
    EXPECT_EQ(kHighlight, m.At(kCx - picW - 5, kCy - 1));
    EXPECT_EQ(kMenuBack, m.At(kCx - picW - 4, 1));
    // The picture cell, centred in cx - picW - 2 to cx - 2, raised when selected.
    m.Draw(DrawnMenu::kOpen, ODS_SELECTED);
    EXPECT_EQ(RGB(0, 128, 0), m.At(kCx - 2 - picW / 2, kCy / 2));
    ExpectRaisedCell(m, kCx - picW - 2, kCx - 2, kCy);
    // The last item is two pixels shorter, its bar too.
    m.Draw(DrawnMenu::kLast, ODS_SELECTED);
    EXPECT_EQ(kHighlight, m.At(kCx / 2, kCy - 3));
    EXPECT_EQ(kMenuBack, m.At(kCx / 2, kCy - 2));
    EXPECT_EQ(kColumn, m.At(kCx - picW - 3, kCy - 3));
    EXPECT_EQ(kMenuBack, m.At(kCx - picW - 3, kCy - 2));
    // Separators, 9 pixels high: the column from cx - picW - 2, the lines
    // from 0 up to it.
    m.Draw(DrawnMenu::kSeparator, 0, kCy, 9);
    EXPECT_EQ(kColumn, m.At(kCx - picW - 2, 4));
    EXPECT_EQ(kColumn, m.At(kCx - 3, 4));
    EXPECT_EQ(kMenuBack, m.At(kCx - 2, 4));
    EXPECT_EQ(DarkenColor(DarkenColor(kMenuBack)), m.At(0, 4));
    EXPECT_EQ(DarkenColor(DarkenColor(kMenuBack)), m.At(kCx - picW - 3, 4));
    EXPECT_EQ(LightenColor(LightenColor(kMenuBack)), m.At(kCx - picW - 3, 6));
    EXPECT_EQ(kMenuBack, m.At(0, 5));
    m.Let(L"HighlightStyle", Variant::Long(qlHighlightXP));
    m.Draw(DrawnMenu::kSeparator, 0, kCy, 9);
    EXPECT_EQ(kDisabled, m.At(0, 4));
    EXPECT_EQ(kDisabled, m.At(kCx - picW - 3, 4));
    EXPECT_EQ(kColumn, m.At(kCx - picW - 2, 4));
}

// A bitmap picture that claims to measure nothing: a background picture
// too small to tile.
class ZeroSizedPicture final : public IPictureDisp, public IPicture {
public:
    ZeroSizedPicture(HBITMAP bitmap, OLE_XSIZE_HIMETRIC cx, OLE_YSIZE_HIMETRIC cy) : m_bitmap(bitmap), m_cx(cx), m_cy(cy) {}
    ~ZeroSizedPicture() { DeleteObject(m_bitmap); }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IPictureDisp))
            *ppv = static_cast<IPictureDisp*>(this);
        else if (IsEqualIID(riid, IID_IPicture))
            *ppv = static_cast<IPicture*>(this);
        else
            return *ppv = nullptr, E_NOINTERFACE;
        return S_OK;  // lives on the test's stack
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP get_Handle(OLE_HANDLE* h) override {
        *h = static_cast<OLE_HANDLE>(reinterpret_cast<UINT_PTR>(m_bitmap));
        return S_OK;
    }
    STDMETHODIMP get_hPal(OLE_HANDLE* h) override { return *h = 0, S_OK; }
    STDMETHODIMP get_Type(SHORT* type) override { return *type = PICTYPE_BITMAP, S_OK; }
    STDMETHODIMP get_Width(OLE_XSIZE_HIMETRIC* cx) override { return *cx = m_cx, S_OK; }
    STDMETHODIMP get_Height(OLE_YSIZE_HIMETRIC* cy) override { return *cy = m_cy, S_OK; }
    STDMETHODIMP Render(HDC, LONG, LONG, LONG, LONG, OLE_XPOS_HIMETRIC, OLE_YPOS_HIMETRIC, OLE_XSIZE_HIMETRIC,
                        OLE_YSIZE_HIMETRIC, LPCRECT) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP set_hPal(OLE_HANDLE) override { return E_NOTIMPL; }
    STDMETHODIMP get_CurDC(HDC* dc) override { return *dc = nullptr, S_OK; }
    STDMETHODIMP SelectPicture(HDC, HDC*, OLE_HANDLE*) override { return E_NOTIMPL; }
    STDMETHODIMP get_KeepOriginalFormat(BOOL* keep) override { return *keep = FALSE, S_OK; }
    STDMETHODIMP put_KeepOriginalFormat(BOOL) override { return S_OK; }
    STDMETHODIMP PictureChanged() override { return S_OK; }
    STDMETHODIMP SaveAsFile(LPSTREAM, BOOL, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP get_Attributes(DWORD* attributes) override { return *attributes = 0, S_OK; }

private:
    HBITMAP m_bitmap;
    OLE_XSIZE_HIMETRIC m_cx;
    OLE_YSIZE_HIMETRIC m_cy;
};

TEST(PopupItem, AZeroSizedBackgroundPictureTilesNothingAndBreaksNothing) {
    // One HIMETRIC rounds to 0 pixels.
    for (const SIZE size : {SIZE{0, 0}, SIZE{1, 423}, SIZE{423, 0}}) {
        SCOPED_TRACE(size.cx);
        ZeroSizedPicture picture(CreateBitmap(16, 16, 1, 32, nullptr), size.cx, size.cy);  // outlives the control
        DrawnMenu m;
        ASSERT_EQ(S_OK, m.form->q()->putref_BackgroundPicture(&picture));
        ASSERT_EQ(static_cast<IPicture*>(&picture), m.form->q()->BackgroundPicture());
        const RECT item = m.Item();
        EXPECT_EQ(1, m.Draw(DrawnMenu::kSaveClose));
        const int left = m.canvas.Count(kSentinel, item);
        EXPECT_LT(left, kCx * kCy) << "the caption is XORed onto what was there";
        EXPECT_GT(left, kCx * kCy / 2) << "no tile, no fill";
        EXPECT_EQ(1, m.Draw(DrawnMenu::kSaveClose, ODS_SELECTED));
        EXPECT_EQ(kHighlight, m.At(kCx - 3, 1)) << "the selection bar";
        EXPECT_EQ(1, m.Draw(DrawnMenu::kLast));
        ASSERT_EQ(S_OK, m.form->q()->putref_BackgroundPicture(nullptr));
    }
}

// System colours set for one test and put back after it.
class SystemColors {
public:
    SystemColors(std::initializer_list<std::pair<int, COLORREF>> colors) {
        for (const auto& [index, color] : colors) m_saved.push_back({index, GetSysColor(index)});
        Set(colors);
    }
    ~SystemColors() { Set(m_saved); }
    SystemColors(const SystemColors&) = delete;
    SystemColors& operator=(const SystemColors&) = delete;
    template <class List>
    static void Set(const List& colors) {
        std::vector<int> indices;
        std::vector<COLORREF> values;
        for (const auto& [index, color] : colors) indices.push_back(index), values.push_back(color);
        SetSysColors(static_cast<int>(indices.size()), indices.data(), values.data());
    }

private:
    std::vector<std::pair<int, COLORREF>> m_saved;
};

TEST(DefaultColors, XpColoursFromTheClassicGreyPaletteArePainted) {
    // The classic grey scheme; the menu bar colour as the menu's, whether
    // or not the system reports flat menus.
    SystemColors classic{{COLOR_MENU, 0xC8D0D4},     {COLOR_MENUBAR, 0xC8D0D4},    {COLOR_BTNFACE, 0xC8D0D4},
                         {COLOR_MENUTEXT, 0x000000}, {COLOR_HIGHLIGHTTEXT, 0xFFFFFF}, {COLOR_HIGHLIGHT, 0x6A240A},
                         {COLOR_BTNSHADOW, 0x808080}, {COLOR_GRAYTEXT, 0x808080}};
    DrawnMenu m;
    m.Let(L"UseCustomColors", Variant::Bool(false));
    auto xp = [&] {  // a change of style recomputes the defaults
        m.Let(L"HighlightStyle", Variant::Long(qlHighlightPlain));
        m.Let(L"HighlightStyle", Variant::Long(qlHighlightXP));
    };
    auto expectPainted = [&](COLORREF menu, COLORREF column, COLORREF highlight, COLORREF outline) {
        EXPECT_EQ(menu, static_cast<COLORREF>(AsLong(m.host->Get(L"MenuBackground"))));
        EXPECT_EQ(column, static_cast<COLORREF>(AsLong(m.host->Get(L"BitmapBackground"))));
        EXPECT_EQ(highlight, static_cast<COLORREF>(AsLong(m.host->Get(L"MenuHighlight"))));
        EXPECT_EQ(outline, static_cast<COLORREF>(AsLong(m.host->Get(L"MenuHighlightBorder"))));
        m.Draw(DrawnMenu::kSaveClose);
        EXPECT_EQ(menu, m.At(kCx - 5, 2));
        EXPECT_EQ(column, m.At(2, 2));
        m.Draw(DrawnMenu::kSaveClose, ODS_SELECTED);
        EXPECT_EQ(highlight, m.At(kCx - 5, 2)) << "the XP box";
        EXPECT_EQ(outline, m.At(0, kCy / 2));
        EXPECT_EQ(outline, m.At(kCx / 2, 0));
        EXPECT_EQ(outline, m.At(kCx - 1, kCy - 1));
    };
    xp();
    {
        SCOPED_TRACE("white menu, grey column: the fixed highlight");
        expectPainted(0xFFFFFF, 0xC8D0D4, 0xD6BEB5, 0x6B2408);
    }
    // Highlighted text not quite white: the column is the menu at 80 % and
    // the highlight the lightened bar colour, outlined in COLOR_HIGHLIGHT.
    SystemColors::Set(std::vector<std::pair<int, COLORREF>>{{COLOR_HIGHLIGHTTEXT, 0xF0F0F0}});
    xp();
    {
        SCOPED_TRACE("off-white menu");
        expectPainted(0xF0F0F0, DarkenColor(0xF0F0F0), LightenColor(0xC8D0D4), 0x6A240A);
    }
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

// A checked radio item shows a bullet in the text colour where a checked
// item shows the check mark; a check mark picture of the host's wins.
TEST(OnDrawItem, CheckedRadioItemsShowABullet) {
    LibraryFolder library(TestLibraryFolder());  // its stock check mark is red
    DrawnMenu m;
    const int pos = DrawnMenu::kCheckedItem;
    const auto middleOfCell = [&] {
        m.canvas.Fill(RGB(1, 2, 3));
        m.Draw(pos);
        return m.At(m.PicW() / 2, kCy / 2);
    };
    EXPECT_EQ(middleOfCell(), RGB(255, 0, 0)) << "the check mark";
    MENUITEMINFOA radio{};
    radio.cbSize = sizeof radio;
    radio.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(m.popup, pos, TRUE, &radio);
    radio.fType |= MFT_RADIOCHECK;
    SetMenuItemInfoA(m.popup, pos, TRUE, &radio);
    m.form->Open(m.popup);
    ASSERT_TRUE(m.Record(pos)->RadioCheck());
    EXPECT_EQ(middleOfCell(), kText) << "a bullet";
    ASSERT_EQ(S_OK, m.host->Set(L"CheckMark", Variant::Object(SolidPicture(RGB(0, 0, 255), 12, 12).get(), VT_DISPATCH)));
    EXPECT_EQ(middleOfCell(), RGB(0, 0, 255)) << "the host's check mark instead";
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
