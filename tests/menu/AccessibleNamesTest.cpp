// Names for screen readers: every converted item's data points at a block
// that Active Accessibility reads the item's text from; values that are no
// live block of the control are the host's and are never read through.
#include <windows.h>
#include <oleacc.h>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>
#include "tests/menu/MenuFixture.h"

using namespace quillon;
using namespace quillon::test;

namespace {

ULONG_PTR DataOfW(HMENU menu, int position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    return info.dwItemData;
}

std::wstring TextOfW(HMENU menu, int position) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
    return text;
}

void SetCaptionInPlace(HMENU menu, int position, const wchar_t* text) {
    std::wstring caption = text;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = caption.data();
    SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
}

HMENU NamedPopup() {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 11, L"&Open\tCtrl+O");
    AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(popup, MF_STRING, 12, L"Save &As...");
    return popup;
}

TEST(AccessibleNames, EveryConvertedItemNamesItsWholeMenuText) {
    MenuForm form(MakeSampleMenuBar());
    HWND hwnd = form.window.hwnd();
    HMENU bar = GetMenu(hwnd);
    HMENU popup = NamedPopup();
    ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
    struct Stage {
        const char* name;
        std::function<void()> change;
    } stages[] = {
        {"first opening", [&] { form.Open(popup); }},
        {"new text, reopened",
         [&] {
             ModifyMenuW(popup, 0, MF_BYPOSITION | MF_STRING, 11, L"&Reopened\tCtrl+Shift+R");
             form.Open(popup);
         }},
        {"language changed, captions translated",
         [&] {
             dual->put_Language(qlGerman);
             SetCaptionInPlace(bar, 0, L"&Datei");
             SetCaptionInPlace(popup, 2, L"Speichern &unter...\tStrg+U");
             SendMessageW(hwnd, WM_INITMENU, reinterpret_cast<WPARAM>(bar), 0);
             form.Open(popup);
         }},
        {"caption set in place, measured",
         [&] {
             SetCaptionInPlace(popup, 0, L"\x00D6&ffnen\tStrg+O");
             form.Measure(DataOfW(popup, 0));
         }},
    };
    const struct {
        HMENU menu;
        int position;
    } items[] = {{bar, 0}, {bar, 1}, {popup, 0}, {popup, 1}, {popup, 2}};
    for (const Stage& stage : stages) {
        stage.change();
        for (const auto& item : items) {
            const ULONG_PTR data = DataOfW(item.menu, item.position);
            const CMenuItem* record = form.q()->RecordOfItem(data, item.menu);
            ASSERT_NE(record, nullptr) << stage.name << " " << item.position;  // a live block: safe to read
            const auto* info = reinterpret_cast<const MSAAMENUINFO*>(data);
            const std::wstring text = TextOfW(item.menu, item.position);
            EXPECT_EQ(info->dwMSAASignature, static_cast<DWORD>(MSAA_MENU_SIG)) << stage.name;
            EXPECT_EQ(info->cchWText, text.size()) << stage.name;
            ASSERT_NE(info->pszWText, nullptr) << stage.name;
            EXPECT_EQ(std::wstring(info->pszWText, info->cchWText), text) << stage.name;
            EXPECT_EQ(info->pszWText[info->cchWText], L'\0') << stage.name;
            // The serial and the key stay the record's.
            EXPECT_EQ(record->AccessibleNameBlock().Serial(), record->ItemData()) << stage.name;
            EXPECT_EQ(form.q()->GetMenuItemByKey(ItemCollection::KeyOf(record->ItemData())), record) << stage.name;
        }
    }
    DestroyMenu(popup);
}

// The host's own owner-drawn data, small numbers (a record's serial among
// them) and the block of a control that is gone reach the host untouched.
TEST(AccessibleNames, ValuesThatAreNoLiveBlockOfTheControlReachTheHost) {
    MenuForm form(MakeSampleMenuBar());
    HMENU popup = NamedPopup();
    form.Open(popup);
    ULONG_PTR released = 0;
    {
        MenuForm gone;
        HMENU other = NamedPopup();
        gone.Open(other);
        released = DataOfW(other, 0);
        ASSERT_NE(gone.q()->RecordOfItem(released), nullptr);
        gone.control.reset();  // released: the menu gets its items back, the blocks go
        DestroyMenu(other);
    }
    for (const auto& record : form.q()->MenuItems())
        ASSERT_NE(record->AccessibleData(), released) << "a block of this control took the freed place";
    std::wstring hostName = L"Host's own";
    MSAAMENUINFO hostBlock{static_cast<DWORD>(MSAA_MENU_SIG), static_cast<DWORD>(hostName.size()), hostName.data()};

    RecordingProc& proc = form.window.proc();
    proc.handler = [](HWND, UINT msg, WPARAM, LPARAM, LRESULT& r) {
        if (msg != WM_MEASUREITEM && msg != WM_DRAWITEM) return false;
        r = 77;
        return true;
    };
    const struct {
        const char* what;
        ULONG_PTR data;
    } cases[] = {
        {"the host's own name block", reinterpret_cast<ULONG_PTR>(&hostBlock)},
        {"a small integer", 7},
        {"a record's serial", static_cast<ULONG_PTR>(form.Record(popup, 0)->ItemData())},
        {"a released control's block", released},
    };
    HWND hwnd = form.window.hwnd();
    const int sized = form.events().Count(DISPID_SetMenuItemSize), painted = form.events().Count(DISPID_DrawMenuItem);
    for (const auto& c : cases) {
        MEASUREITEMSTRUCT mis{ODT_MENU, 0, 52, 0, 0, c.data};
        DRAWITEMSTRUCT dis{ODT_MENU, 0, 52, ODA_DRAWENTIRE, 0, reinterpret_cast<HWND>(popup), nullptr, {0, 0, 50, 20},
                           c.data};
        const int measured = proc.Count(WM_MEASUREITEM), drawn = proc.Count(WM_DRAWITEM);
        EXPECT_EQ(SendMessageW(hwnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), 77) << c.what;
        EXPECT_EQ(SendMessageW(hwnd, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)), 77) << c.what;
        EXPECT_EQ(proc.Count(WM_MEASUREITEM), measured + 1) << c.what;
        EXPECT_EQ(proc.Count(WM_DRAWITEM), drawn + 1) << c.what;
        EXPECT_EQ(mis.itemWidth, 0u) << c.what;
    }
    EXPECT_EQ(form.events().Count(DISPID_SetMenuItemSize), sized);
    EXPECT_EQ(form.events().Count(DISPID_DrawMenuItem), painted);
    DestroyMenu(popup);
}

// A record that goes while its menu stays gives the item the host's data
// back first: no item keeps the address of a freed block.
TEST(AccessibleNames, AnItemWhoseRecordGoesGetsTheHostsDataBack) {
    constexpr ULONG_PTR kHostData = 0xC0DE;
    MenuForm form;
    HBITMAP bmp = CreateBitmap(8, 8, 1, 1, nullptr);
    const struct {
        const char* how;
        std::function<void(HMENU)> change;
    } cases[] = {
        {"text emptied", [](HMENU menu) { SetCaptionInPlace(menu, 0, L""); }},
        {"made a bitmap",
         [&](HMENU menu) { ModifyMenuW(menu, 0, MF_BYPOSITION | MF_BITMAP, 11, reinterpret_cast<LPCWSTR>(bmp)); }},
    };
    for (const auto& c : cases) {
        HMENU popup = NamedPopup();
        MENUITEMINFOW data{};
        data.cbSize = sizeof data;
        data.fMask = MIIM_DATA;
        data.dwItemData = kHostData;
        SetMenuItemInfoW(popup, 0, TRUE, &data);
        form.Open(popup);
        const ULONG_PTR block = DataOfW(popup, 0);
        ASSERT_NE(form.q()->RecordOfItem(block), nullptr) << c.how;
        c.change(popup);
        form.Open(popup);
        EXPECT_EQ(form.q()->RecordOfItem(block), nullptr) << c.how;
        EXPECT_EQ(DataOfW(popup, 0), kHostData) << c.how;
        EXPECT_FALSE(TypeOf(popup, 0) & MFT_OWNERDRAW) << c.how;
        DestroyMenu(popup);
    }
    DeleteObject(bmp);
}

// Takes the address space below 4 GB and the heap's room left there, so
// that records made meanwhile lie mostly above, where a cut to 32 bits shows.
class TakeLowAddresses {
public:
    static constexpr unsigned long long kLimit = 0x100000000ull;
    static bool Above(ULONG_PTR address) { return static_cast<unsigned long long>(address) >= kLimit; }

    TakeLowAddresses() {
        MEMORY_BASIC_INFORMATION region{};
        for (ULONG_PTR at = 0x10000; Above(at) == false && VirtualQuery(reinterpret_cast<void*>(at), &region, sizeof region);) {
            const ULONG_PTR end = reinterpret_cast<ULONG_PTR>(region.BaseAddress) + region.RegionSize;
            const ULONG_PTR start = (at + 0xFFFF) & ~static_cast<ULONG_PTR>(0xFFFF);  // reservations are 64K-aligned
            const ULONG_PTR stop = Above(end) ? static_cast<ULONG_PTR>(kLimit) : end;
            if (region.State == MEM_FREE && start < stop)
                if (void* taken = VirtualAlloc(reinterpret_cast<void*>(start), stop - start, MEM_RESERVE, PAGE_NOACCESS))
                    m_taken.push_back(taken);
            if (end <= at) break;
            at = end;
        }
        for (size_t size : {size_t{32768}, size_t{4096}, sizeof(CMenuItem)})
            for (int i = 0; i < 100000; ++i) {
                m_fill.push_back(std::make_unique<char[]>(size));
                if (Above(reinterpret_cast<ULONG_PTR>(m_fill.back().get()))) break;
            }
    }
    ~TakeLowAddresses() {
        for (void* taken : m_taken) VirtualFree(taken, 0, MEM_RELEASE);
    }

private:
    std::vector<void*> m_taken;
    std::vector<std::unique_ptr<char[]>> m_fill;
};

// On 64-bit Windows the item data is the block's whole address, and only
// the whole address finds the record.
TEST(AccessibleNames, TheItemDataIsTheBlocksFullAddress) {
    if (sizeof(ULONG_PTR) < 8) GTEST_SKIP() << "32-bit item data";
    MenuForm form(MakeSampleMenuBar());
    std::vector<HMENU> popups;
    int above = 0;
    {
        TakeLowAddresses low;
        for (int i = 0; i < 20 && !above; ++i) {
            popups.push_back(NamedPopup());
            form.Open(popups.back());
            for (const auto& record : form.q()->MenuItems()) above += TakeLowAddresses::Above(record->AccessibleData());
        }
    }
    ASSERT_GT(above, 0) << "no block above 4 GB";
    for (const std::wstring& key : form.q()->MenuItemKeys()) {
        const CMenuItem* record = form.q()->GetMenuItemByKey(key);
        ASSERT_NE(record, nullptr);
        HMENU menu = HandleOf<HMENU>(record->HMenu());
        const ULONG_PTR block = reinterpret_cast<ULONG_PTR>(&record->AccessibleNameBlock().Info());
        EXPECT_EQ(DataOfW(menu, record->Position()), block) << record->ItemData();
        const auto otherHalf = static_cast<ULONG_PTR>(static_cast<unsigned long long>(block) ^ 0x0000000100000000ull);
        EXPECT_EQ(form.q()->RecordOfItem(otherHalf), nullptr) << "low 32 bits alone";
        LRESULT answer = -1;
        form.Measure(otherHalf, &answer);
        EXPECT_EQ(answer, 0) << "passed on";
    }
    for (HMENU popup : popups) DestroyMenu(popup);
}

}  // namespace
