// What painting a drop-down costs: a 20-item popup (pictures, shortcuts, one
// selected item) painted by WM_DRAWITEM through the hosted control, against
// the least an owner-drawn menu can do (fill the item with a brush, DrawText
// the caption), both into the same DC. The Normal rows paint into a memory
// DIB; the Flat rows into the client DC of a real bordered popup window
// after the menu loop has started (so the screen is captured), as a real
// menu does, since only then are the border and its shadow repainted with
// every item. One row per highlight style and border; targets: Plain to
// Vertical Center and XP within 2 times the baseline, Diagonal and Radial
// (per-pixel styles) within 4 times. A second baseline is a peer's item
// (fill, its font selected and put back, caption and shortcut drawn):
// Normal within 1.5 times it, Flat and Flat with Shadow within 2 times,
// Diagonal and Radial within 3 times. Each figure is the median ratio over
// several runs; then the GDI objects made and the DCs got while painting one
// popup, and whether the popup's border shows the frame colour afterwards.
#include <windows.h>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>
#include "bench/BenchWindows.h"
#include "control/Quillon.h"
#include "menu/ItemCollection.h"
#include "render/ColorUtils.h"
#include "tests/control/Automation.h"
#include "tests/control/HostedControl.h"
#include "tests/menu/MenuFixture.h"
#include "tests/support/GdiTally.h"

using namespace quillon;
using namespace quillon::test;
using namespace quillon::bench;

namespace {

constexpr int kItems = 20;
constexpr int kSelected = 6;
constexpr int kRuns = 9;
constexpr int kPopupsPerRun = 10;

const char* const kStyleNames[] = {"Plain",      "Horizontal L-R", "Horizontal R-L", "Horizontal Center",
                                   "Vertical T-B", "Vertical B-T", "Vertical Center", "Diagonal",
                                   "Radial",     "XP"};
const char* const kBorderNames[] = {"Normal", "Flat", "Flat+Shadow"};

// The baseline: an owner-drawn menu that fills and prints its caption.
HBRUSH g_baselineBrush = nullptr;
LRESULT CALLBACK BaselineProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        RECT r = dis->rcItem;
        FillRect(dis->hDC, &r, g_baselineBrush);
        SetBkMode(dis->hDC, TRANSPARENT);
        DrawTextA(dis->hDC, reinterpret_cast<const char*>(dis->itemData), -1, &r, DT_SINGLELINE | DT_VCENTER);
        return TRUE;
    }
    return DefWindowProcA(h, m, w, l);
}

// The peer: what an owner-drawn menu of another library does per item:
// fill, select the item's font, draw caption and shortcut, put the font back.
struct PeerItem {
    std::wstring caption, shortcut;
};
HFONT g_peerFont = nullptr;
LRESULT CALLBACK PeerProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_DRAWITEM) {
        const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
        const auto* item = reinterpret_cast<const PeerItem*>(dis->itemData);
        PaintHandWrittenItem(*dis, g_baselineBrush, g_peerFont, item->caption, item->shortcut);
        return TRUE;
    }
    return DefWindowProcA(h, m, w, l);
}

// A shown, topmost, bordered popup whose client area is width by height,
// standing in for a menu's popup window.
HWND MakePopupWindow(LONG width, LONG height) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = "QuillonPaintBenchPopup";
    RegisterClassA(&wc);
    constexpr DWORD style = WS_POPUP | WS_DLGFRAME, exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    HWND popup = CreateWindowExA(exStyle, wc.lpszClassName, nullptr, style, 200, 150, frame.right - frame.left,
                                 frame.bottom - frame.top, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    UpdateWindow(popup);
    return popup;
}

// An image list whose ListImages.Item(key).Picture answers every key.
class PictureList final : public IDispatch {
public:
    explicit PictureList(IPictureDisp* picture) : m_picture(picture) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG n = --m_refs;
        if (!n) delete this;
        return static_cast<ULONG>(n);
    }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    // The object stands for ListImages, Item(key) and Picture at once.
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        const wchar_t* known[] = {L"ListImages", L"Item", L"Picture"};
        for (DISPID i = 0; i < 3; ++i)
            if (lstrcmpiW(names[0], known[i]) == 0) {
                ids[0] = i + 1;
                return S_OK;
            }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
        if (!result) return S_OK;
        IDispatch* out = id == 3 ? static_cast<IDispatch*>(m_picture.get()) : this;
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = out;
        if (out) out->AddRef();
        return S_OK;
    }

private:
    ~PictureList() = default;
    LONG m_refs = 1;
    ComPtr<IPictureDisp> m_picture;
};

struct Item {
    RECT rect;
    ULONG_PTR data;
    UINT id;
};

double PaintSeconds(HWND target, HDC dc, const std::vector<Item>& items, int popups) {
    LARGE_INTEGER f, a, b;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&a);
    for (int p = 0; p < popups; ++p)
        for (size_t i = 0; i < items.size(); ++i) {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_MENU;
            dis.itemID = items[i].id;
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState = static_cast<int>(i) == kSelected ? ODS_SELECTED : 0;
            dis.hDC = dc;
            dis.rcItem = items[i].rect;
            dis.itemData = items[i].data;
            SendMessageA(target, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
        }
    GdiFlush();
    QueryPerformanceCounter(&b);
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

// Whether the popup's left border line is in the frame colour: the control
// really repainted the border.
bool FramePainted(HWND popup, COLORREF line) {
    RECT wr{};
    GetWindowRect(popup, &wr);
    HDC dc = GetWindowDC(popup);
    const COLORREF left = GetPixel(dc, 0, (wr.bottom - wr.top) / 2);
    ReleaseDC(popup, dc);
    return left == line;
}

}  // namespace

int main() {
    OleInitialize(nullptr);
    HWND form = MakeWindow("QuillonPaintBenchForm", PlainProc);
    HWND baseline = MakeWindow("QuillonPaintBenchBaseline", BaselineProc);
    HWND peer = MakeWindow("QuillonPaintBenchPeer", PeerProc);
    g_baselineBrush = CreateSolidBrush(GetSysColor(COLOR_MENU));
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof ncm;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
    g_peerFont = CreateFontIndirectA(&ncm.lfMenuFont);

    HMENU bar = CreateMenu(), popup = CreatePopupMenu();
    std::vector<std::string> captions;
    std::vector<PeerItem> peerTexts;
    for (int i = 0; i < kItems; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "Command &%d\tCtrl+Shift+%c", i + 1, 'A' + i);
        AppendMenuA(popup, MF_STRING, static_cast<UINT_PTR>(100 + i), text);
        captions.push_back(text);
        const std::string full = text;
        const size_t tab = full.find('\t');
        peerTexts.push_back({std::wstring(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(tab)),
                             std::wstring(full.begin() + static_cast<std::ptrdiff_t>(tab) + 1, full.end())});
    }
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "&File");
    SetMenu(form, bar);

    int status = 0;
    {
        TestContainer container(form);
        if (FAILED(container.Create(QuillonFactory())) || FAILED(container.InitNew())) {
            std::printf("could not host the control\n");
            return 2;
        }
        PumpMessages(50);
        Quillon* q = QuillonOf(container);
        Automation host(container.Query<IDispatch>(IID_IDispatch).get());
        ComPtr<IPictureDisp> picture = SolidPicture(RGB(0, 150, 0));
        IDispatch* list = new PictureList(picture.get());
        q->SetImageList(&list);
        list->Release();

        SendMessageA(form, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
        std::vector<Item> items, plainItems, peerItems;
        LONG top = 0, width = 0;
        for (int i = 0; i < kItems; ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_DATA;
            GetMenuItemInfoA(popup, static_cast<UINT>(i), TRUE, &info);
            CMenuItem* record = q->GetMenuItemByKey(ItemCollection::KeyOf(static_cast<LONG_PTR>(info.dwItemData)));
            if (!record || !record->Picture()) {
                std::printf("item %d was not converted with a picture\n", i);
                status = 2;
                break;
            }
            MEASUREITEMSTRUCT mis{};
            mis.CtlType = ODT_MENU;
            mis.itemData = info.dwItemData;
            SendMessageA(form, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
            const LONG h = std::max<LONG>(static_cast<LONG>(mis.itemHeight), 4);
            items.push_back({{0, top, 0, top + h}, info.dwItemData, static_cast<UINT>(100 + i)});
            plainItems.push_back({{0, top, 0, top + h}, reinterpret_cast<ULONG_PTR>(captions[i].c_str()), 0});
            peerItems.push_back({{0, top, 0, top + h}, reinterpret_cast<ULONG_PTR>(&peerTexts[i]), 0});
            width = std::max<LONG>(width, static_cast<LONG>(mis.itemWidth));
            top += h;
        }
        if (status == 0) {
            for (auto* list : {&items, &plainItems, &peerItems})
                for (Item& it : *list) it.rect.right = width;

            HDC memoryDC = CreateCompatibleDC(nullptr);
            BITMAPINFO bi{};
            bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -top, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            void* bits = nullptr;
            HBITMAP dib = CreateDIBSection(memoryDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
            HGDIOBJ old = SelectObject(memoryDC, dib);
            HWND popupWindow = MakePopupWindow(width, top);
            PumpMessages(50);
            std::printf("popup of %d items, %ld x %ld pixels, item %d selected; median of %d runs of %d popups\n",
                        kItems, static_cast<long>(width), static_cast<long>(top), kSelected + 1, kRuns,
                        kPopupsPerRun);
            std::printf("%-18s %-12s %12s %12s %7s %7s %6s %8s %8s %6s %9s %7s %7s\n", "style", "border",
                        "baseline us", "control us", "ratio", "target", "", "objects", "DCs got", "frame", "peer us",
                        "ratio", "target");
            int missed = 0, missedPeer = 0;
            for (LONG border = 0; border <= 2; ++border)
                for (LONG style = 0; style <= 9; ++style) {
                    host.Let(L"HighlightStyle", Variant::Long(style));
                    host.Let(L"MenuBorder", Variant::Long(border));
                    // A flat border is painted only around a real popup window, and
                    // its shadow from the screen captured when the menu loop starts.
                    const bool inWindow = border != qlBorderNormal;
                    HDC dc = inWindow ? GetDC(popupWindow) : memoryDC;
                    if (inWindow) SendMessageA(form, WM_ENTERMENULOOP, FALSE, 0);
                    PaintSeconds(baseline, dc, plainItems, 1);  // warm-up
                    // The warm-up popup of the control, counted: what one popup asks of GDI.
                    const bool counted = GdiTally::Start();
                    PaintSeconds(form, dc, items, 1);
                    const long made = GdiTally::Created(), dcs = GdiTally::DCsGot();
                    GdiTally::Stop();
                    PaintSeconds(peer, dc, peerItems, 1);
                    std::vector<double> ratios, plain, control, peerRatios, peerTimes;
                    for (int run = 0; run < kRuns; ++run) {
                        const double p = PaintSeconds(baseline, dc, plainItems, kPopupsPerRun);
                        const double c = PaintSeconds(form, dc, items, kPopupsPerRun);
                        const double o = PaintSeconds(peer, dc, peerItems, kPopupsPerRun);
                        ratios.push_back(c / p);
                        plain.push_back(p);
                        control.push_back(c);
                        peerRatios.push_back(c / o);
                        peerTimes.push_back(o);
                    }
                    const char* frame = "-";
                    if (inWindow) {
                        frame = FramePainted(popupWindow, SystemColor(q->ColorProperty(ColorRole::MenuHighlightBorder)))
                                    ? "yes"
                                    : "NO";
                        SendMessageA(form, WM_EXITMENULOOP, FALSE, 0);
                        ReleaseDC(popupWindow, dc);
                    }
                    const bool perPixel = style == 7 || style == 8;
                    const double target = perPixel ? 4.0 : 2.0;
                    const double peerTarget = perPixel ? 3.0 : border == qlBorderNormal ? 1.5 : 2.0;
                    const double ratio = Median(ratios), peerRatio = Median(peerRatios);
                    missed += ratio > target;
                    missedPeer += peerRatio > peerTarget;
                    std::printf("%-18s %-12s %12.1f %12.1f %7.2f %6.0fx %6s %8ld %8ld %6s %9.1f %7.2f %6.1fx %s\n",
                                kStyleNames[style], kBorderNames[border], Median(plain) / kPopupsPerRun * 1e6,
                                Median(control) / kPopupsPerRun * 1e6, ratio, target,
                                ratio <= target ? "PASS" : "MISS", counted ? made : -1L, counted ? dcs : -1L, frame,
                                Median(peerTimes) / kPopupsPerRun * 1e6, peerRatio, peerTarget,
                                peerRatio <= peerTarget ? "PASS" : "MISS");
                }
            std::printf("%d of 30 rows missed their target against the minimal owner-draw\n", missed);
            std::printf("%d of 30 rows missed their target against the peer's item\n", missedPeer);
            DestroyWindow(popupWindow);
            SelectObject(memoryDC, old);
            DeleteObject(dib);
            DeleteDC(memoryDC);
        }
        SetMenu(form, nullptr);
        container.Close();
    }
    DestroyMenu(bar);
    DeleteObject(g_baselineBrush);
    DeleteObject(g_peerFont);
    DestroyWindow(peer);
    DestroyWindow(baseline);
    DestroyWindow(form);
    OleUninitialize();
    return status;
}
