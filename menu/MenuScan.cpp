// Scanning menus into the item collection and converting their items to
// owner-drawn ones.
#include <string>
#include <unordered_set>
#include "control/LateBound.h"
#include "control/ApiDeclares.h"
#include "control/Quillon.h"
#include "hook/Guard.h"
#include "hook/SubclassWnd.h"
#include "menu/ItemCollection.h"

namespace quillon {
namespace {

constexpr UINT kStateSeparator = MF_SEPARATOR;           // 0x800
constexpr UINT kStateDisabled = MF_GRAYED | MF_DISABLED;  // 3
constexpr UINT kRightToLeftType = MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;  // with MFT_OWNERDRAW: 0x6100

// Where menus misread MFT_RIGHTORDER the painters alone mirror the items.
UINT RightToLeftType() noexcept {
    return ApiDeclares::MenusKnowRightOrder() ? kRightToLeftType : kRightToLeftType & ~MFT_RIGHTORDER;
}

// The item's text as the menu holds it. Menus keep their texts in
// Unicode: an ANSI program's text reads back as its ANSI form widened, a
// Unicode program's with every character it has.
std::wstring MenuTextOf(HMENU menu, int position) {
    const int n = GetMenuStringW(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    if (n <= 0) return {};
    std::wstring buffer(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetMenuStringW(menu, static_cast<UINT>(position), buffer.data(), n + 1, MF_BYPOSITION);
    buffer.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return buffer;
}

// The item's type, state and data as the menu holds them.
MENUITEMINFOW ItemTypeAndState(HMENU menu, UINT position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    return info;
}

// The item as the host made it: its own data, and without the type bits
// the conversion added. An item the host has since made something else
// than owner-drawn keeps its type.
void GiveItemBack(HMENU menu, UINT position, const MENUITEMINFOW& now, const CMenuItem& record) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    info.dwItemData = record.HostData();
    if (now.fType & MFT_OWNERDRAW) {
        info.fMask |= MIIM_FTYPE;
        info.fType = now.fType & ~record.AddedType();
    }
    SetMenuItemInfoW(menu, position, TRUE, &info);
}

// A record about to go: an item of a menu that still holds its block gets
// its own data back, so that no item is left with the address of a freed
// block, which a later block could take.
void GiveItemBackIfHeld(const CMenuItem& record) {
    HMENU menu = HandleOf<HMENU>(record.HMenu());
    if (!menu || !IsMenu(menu)) return;
    const int count = GetMenuItemCount(menu);
    for (int p = 0; p < count; ++p) {
        const MENUITEMINFOW now = ItemTypeAndState(menu, static_cast<UINT>(p));
        if (now.dwItemData != record.AccessibleData()) continue;
        GiveItemBack(menu, static_cast<UINT>(p), now, record);
        return;
    }
}

// `Item(key)` of a late-bound collection, as an object (AddRef'd) or null.
IDispatch* ItemByKey(IDispatch* collection, const std::wstring& key) {
    const DISPID id = LateBound::MemberId(collection, L"Item");
    if (id == DISPID_UNKNOWN) return nullptr;
    VARIANT arg;
    VariantInit(&arg);
    V_VT(&arg) = VT_BSTR;
    V_BSTR(&arg) = SysAllocStringLen(key.data(), static_cast<UINT>(key.size()));
    DISPPARAMS params{&arg, nullptr, 1, 0};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO excep{};
    UINT argErr = 0;
    IDispatch* found = nullptr;
    const HRESULT hr = collection->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                          &params, &result, &excep, &argErr);
    if (SUCCEEDED(hr) && (V_VT(&result) == VT_DISPATCH || V_VT(&result) == VT_UNKNOWN) && V_UNKNOWN(&result))
        V_UNKNOWN(&result)->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&found));
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
    VariantClear(&result);
    VariantClear(&arg);
    return found;
}

}  // namespace

std::wstring Quillon::GetMenuText(HMENU menu, int position) { return MenuTextOf(menu, position); }

// --- the item collection ----------------------------------------------------------

CMenuItem* Quillon::GetMenuItemByKey(const std::wstring& key) const {
    if (!m_colMenuItems) return nullptr;
    if (CMenuItem* record = m_colMenuItems->Find(key)) return record;
    // A key made from a converted item's data names that item's record.
    ULONG_PTR itemData = 0;
    return ItemCollection::ValueOfKey(key, itemData) ? m_colMenuItems->FindByItemData(itemData) : nullptr;
}

CMenuItem* Quillon::RecordOfItem(ULONG_PTR itemData, HMENU menu) const {
    // Looked up among this control's live blocks, never read through: the
    // host's own data and the blocks of a released control are not there.
    CMenuItem* record = m_colMenuItems ? m_colMenuItems->FindByItemData(itemData) : nullptr;
    if (!record || (menu && HandleOf<HMENU>(record->HMenu()) != menu)) return nullptr;
    return record;
}

std::vector<ComPtr<CMenuItem>> Quillon::MenuItems() const {
    return m_colMenuItems ? m_colMenuItems->Items() : std::vector<ComPtr<CMenuItem>>{};
}

std::vector<std::wstring> Quillon::MenuItemKeys() const {
    return m_colMenuItems ? m_colMenuItems->Keys() : std::vector<std::wstring>{};
}

size_t Quillon::ItemCount() const { return m_colMenuItems ? m_colMenuItems->Count() : 0; }

void Quillon::AddToMenuItemCollection(CMenuItem* item) {
    if (!item) return;
    std::wstring key;
    Trap([&] { key = ItemCollection::KeyOf(item->ItemData()); });
    Trap([&] {
        if (!m_colMenuItems) {
            m_colMenuItems.reset(new ItemCollection());
            return;
        }
        DropRecord(key);
    });
    Trap([&] {
        if (m_colMenuItems) m_colMenuItems->Add(key, item);
    });
}

CMenuItem* Quillon::FindMenuItem(HMENU menu, int position) const {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) || !m_colMenuItems) return nullptr;
    return m_colMenuItems->FindByItemData(info.dwItemData);
}

void Quillon::PurgeDeadItems() {
    if (!m_colMenuItems) return;
    for (const auto& item : m_colMenuItems->Items()) {
        Trap([&] {
            if (!IsMenu(HandleOf<HMENU>(item->HMenu())))
                m_colMenuItems->Remove(ItemCollection::KeyOf(item->ItemData()));
        });
    }
}

void Quillon::DropItemsOfWindow(HWND hwnd) {
    if (!m_colMenuItems) return;
    const LONG window = HandleValue(hwnd);
    const auto items = m_colMenuItems->Items();
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
        const ComPtr<CMenuItem>& item = *it;
        Trap([&] {
            if (item->Hwnd() == window) m_colMenuItems->Remove(ItemCollection::KeyOf(item->ItemData()));
        });
    }
}

// --- pictures and help --------------------------------------------------------------

ComPtr<IPictureDisp> Quillon::DefaultPicture(const std::wstring& clean, LONG language) {
    return DefaultPictureOf(clean, language);
}

ComPtr<IPictureDisp> Quillon::GetItemPicture(const std::wstring& clean, LONG language, bool useDefault) {
    ComPtr<IPictureDisp> pic;
    Trap([&] {
        IDispatch* imageList = ImageList();
        if (!imageList) return;
        ComPtr<IDispatch> images = ComPtr<IDispatch>::Adopt(LateBound::GetObjectProperty(imageList, L"ListImages"));
        if (!images) return;
        ComPtr<IDispatch> image = ComPtr<IDispatch>::Adopt(ItemByKey(images.get(), clean));
        if (!image) return;
        ComPtr<IDispatch> picture = ComPtr<IDispatch>::Adopt(LateBound::GetObjectProperty(image.get(), L"Picture"));
        if (picture) pic = picture.As<IPictureDisp>(IID_IPictureDisp);
    });
    if (!pic && useDefault) {
        Trap([&] { pic = DefaultPicture(clean, language); });
        if (!pic) Trap([&] { pic = DefaultPicture(clean, qlEnglish); });
    }
    return pic;
}

// --- scanning -------------------------------------------------------------------------

LRESULT Quillon::OnInitMenuPopup(HWND hwnd, WPARAM wParam, LPARAM lParam, bool&) {
    Trap([&] {
        // Menus made for one opening and destroyed leave no records behind.
        DropRecordsOfGoneMenus();
        // Only the form's own window menu is put back as text first.
        const bool modify = hwnd == m_hwndOwner && HIWORD(lParam) != 0;
        ScanPopupMenu(hwnd, reinterpret_cast<HMENU>(wParam), -1, false, modify);
    });
    return 0;
}

void Quillon::ScanPopupMenu(HWND hwnd, HMENU menu, LONG parentId, bool topLevel, bool modify) {
    const int n = GetMenuItemCount(menu);
    std::unordered_set<LONG> scanned;
    // A host may close the control from an event of the scan: stop there.
    for (int p = 0; p < n && !Terminated(); ++p)
        Trap([&] {
            ComPtr<CMenuItem> item = FixMenuItemStyle(hwnd, menu, parentId, p, topLevel, p == 0, p == n - 1, modify);
            if (item) scanned.insert(item->ItemData());
        });
    // Records of items the menu no longer has (removed, or a menu handle
    // used again for a new menu) leave the widths and the collection.
    Trap([&] {
        if (!m_colMenuItems) return;
        for (const std::wstring& key : m_colMenuItems->KeysOfMenu(HandleValue(menu))) {
            const CMenuItem* record = m_colMenuItems->Find(key);
            if (record && !scanned.count(record->ItemData())) DropRecord(key);
        }
    });
}

void Quillon::DropRecord(const std::wstring& key) {
    ComPtr<CMenuItem> old = m_colMenuItems ? m_colMenuItems->Remove(key) : ComPtr<CMenuItem>();
    if (!old) return;
    Trap([&] { GiveItemBackIfHeld(*old.get()); });
    // A host may still hold the record: its fonts and picture go now all the same.
    old->SetCaptionFont(nullptr);
    old->SetShortcutFont(nullptr);
    old->SetPicture(nullptr);
}

void Quillon::RestoreConvertedItems(HWND window) {
    if (!m_colMenuItems) return;
    const LONG only = HandleValue(window);
    HMENU windowBar = window ? GetMenu(window) : nullptr;
    for (LONG menuValue : m_colMenuItems->Menus()) {
        HMENU menu = HandleOf<HMENU>(menuValue);
        if (!menuValue || !IsMenu(menu)) continue;
        // The window's bar is scanned for the form, so its records name the form.
        const bool windowsMenu = !window || menu == windowBar;
        const int count = GetMenuItemCount(menu);
        // Found by their data, wherever the host has moved them since.
        for (int p = 0; p < count; ++p) {
            Trap([&] {
                const MENUITEMINFOW now = ItemTypeAndState(menu, static_cast<UINT>(p));
                const CMenuItem* record = (now.fType & MFT_OWNERDRAW) ? RecordOfItem(now.dwItemData, menu) : nullptr;
                if (!record || (!windowsMenu && record->Hwnd() != only)) return;
                GiveItemBack(menu, static_cast<UINT>(p), now, *record);
            });
        }
    }
}

void Quillon::DropRecordsOfGoneMenus() {
    constexpr size_t kMenusPerOpening = 8;
    if (!m_colMenuItems) return;
    const std::vector<LONG> menus = m_colMenuItems->Menus();
    if (menus.empty()) return;
    const size_t asked = menus.size() < kMenusPerOpening ? menus.size() : kMenusPerOpening;
    for (size_t i = 0; i < asked; ++i) {
        const LONG menu = menus[(m_nextMenuToCheck + i) % menus.size()];
        if (!menu || IsMenu(HandleOf<HMENU>(menu))) continue;
        for (const std::wstring& key : m_colMenuItems->KeysOfMenu(menu)) Trap([&] { DropRecord(key); });
    }
    m_nextMenuToCheck = (m_nextMenuToCheck + asked) % menus.size();
}

void Quillon::ScanMenuBar(HMENU menuBar) {
    Trap([&] { GetSystemMenuFont(true); });
    const int n = GetMenuItemCount(menuBar);
    for (int p = 0; p < n && !Terminated(); ++p) {
        Trap([&] {
            if (GetMenuText(menuBar, p).empty()) return;  // bar items without text stay as they are
            FixMenuItemStyle(m_hwndOwner, menuBar, -1, p, true, p == 0, p == n - 1, false);
        });
    }
}

void Quillon::RefreshMenuBar(HWND hwnd) {
    // A released control converts nothing any more: nobody would paint it.
    if (Terminated() || !hwnd || !IsWindow(hwnd)) return;
    Trap([&] { ScanMenuBar(GetMenu(hwnd)); });
    // A dark bar is dark beyond its items too; otherwise it is the host's.
    Trap([&] {
        if (m_colorScheme.Dark())
            m_menuBarBackground.Paint(GetMenu(hwnd), PaintedColor(ColorRole::MenuBarBackground));
        else
            m_menuBarBackground.Restore();
    });
    Trap([&] { DrawMenuBar(hwnd); });
}

void Quillon::ReprocessMenuBar(HWND hwnd) {
    HWND target = m_bFrameHooked ? m_hwndMDIFrame : hwnd;
    RefreshMenuBar(target);
}

ComPtr<CMenuItem> Quillon::FixMenuItemStyle(HWND hwnd, HMENU menu, LONG parentId, int p, bool topLevel, bool first,
                                            bool last, bool modify) {
    const UINT position = static_cast<UINT>(p);
    std::wstring s;
    UINT state = static_cast<UINT>(-1);
    bool checked = false, disabled = false, separator = false;
    UINT id = 0;
    ComPtr<CMenuItem> item;
    bool created = false;
    ComPtr<IPictureDisp> pic;

    // 1. Text and state.
    Trap([&] {
        s = MenuTextOf(menu, p);
        state = GetMenuState(menu, position, MF_BYPOSITION);
        checked = (state & MF_CHECKED) != 0;
        disabled = (state & kStateDisabled) != 0;
    });
    // 2. Items with text, and separators; anything else stays as it is.
    if (s.empty()) {
        if (state == static_cast<UINT>(-1) || !(state & kStateSeparator)) return {};
        separator = true;
    }
    // 3.
    Trap([&] { id = GetMenuItemID(menu, p); });
    // 4. The record: found by the item's application value, or new.
    Trap([&] { item = FindMenuItem(menu, p); });
    if (!item) {
        item = CMenuItem::Create();
        if (!item) return {};
        created = true;
        Trap([&] {
            ++m_lItemSerial;
            item->SetItemData(m_lItemSerial);
        });
        Trap([&] { item->SetCaptionFont(NewItemFont().get()); });
        Trap([&] { item->SetShortcutFont(NewItemFont().get()); });
        Trap([&] { AddToMenuItemCollection(item.get()); });
    }
    // 5.
    Trap([&] {
        item->SetMenuId(static_cast<LONG>(id));
        item->SetHMenu(HandleValue(menu));
        if (m_colMenuItems) m_colMenuItems->NoteMenu(ItemCollection::KeyOf(item->ItemData()), HandleValue(menu));
        item->SetPosition(p);
        item->SetIsFirst(first);
        item->SetIsLast(last);
        item->SetIsTopLevel(topLevel);
        item->SetMenuText(s);
        item->SetChecked(checked);
        item->SetDisabled(disabled);
        item->SetHwnd(HandleValue(hwnd));
        item->SetUnicodeText(SubclassWnd::ReceivesUnicode(hwnd));
        if (GetSubMenu(menu, p)) item->SetHasSubMenus(true);
    });
    // 6.
    Trap([&] { item->SetLanguage(Language()); });
    // 7.
    Trap([&] {
        if (!s.empty()) {
            const std::wstring clean = CleanCaption(s);
            Trap([&] { item->SetTooltTipText(LookupHelpMessage(clean, Language())); });
            pic = GetItemPicture(clean, Language(), !topLevel);
        } else {
            item->SetIsSeparator(separator);
        }
    });
    // 8. The scans pass -1: a record keeps the parent it had.
    Trap([&] {
        if (parentId == -1) {
            if (CMenuItem* known = FindMenuItem(menu, p)) parentId = known->ParentMenuId();
        }
        item->SetParentMenuId(parentId);
    });
    // 9.
    Trap([&] { item->SetPicture(pic.get()); });
    // 10.
    Trap([&] {
        ComPtr<IFontDisp> font = ComPtr<IFontDisp>::Adopt(MenuCaptionFont());
        CopyFont(item->CaptionFont(), font.get());
        // The menu's default item shows its caption in bold, as the system draws it.
        if (ItemTypeAndState(menu, position).fState & MFS_DEFAULT) {
            ComPtr<IFont> caption = ComPtr<IFontDisp>(item->CaptionFont()).As<IFont>(IID_IFont);
            if (caption) caption->put_Bold(TRUE);
        }
    });
    Trap([&] {
        ComPtr<IFontDisp> font = ComPtr<IFontDisp>::Adopt(MenuShortcutFont());
        CopyFont(item->ShortcutFont(), font.get());
    });
    // 11. From here on, a change the host makes marks the record.
    Trap([&] { item->SetDirty(created); });
    // 12.
    Trap([&] {
        VARIANT arg;
        VariantInit(&arg);
        V_VT(&arg) = VT_DISPATCH;
        V_DISPATCH(&arg) = static_cast<_CMenuItem*>(item.get());
        DISPPARAMS params{&arg, nullptr, 1, 0};
        FireEvent(DISPID_SetMenuItemAttributes, &params);
    });
    // Closed by the host's handler: nobody would draw a converted item.
    if (Terminated()) return item;
    // 13.
    Trap([&] { RemeasureItem(*item.get()); });
    // 14.
    Trap([&] {
        if (!item->Picture())
            item->SetPicture(GetItemPicture(CleanCaption(item->Caption()), item->Language(), !topLevel).get());
    });
    // 15. Converted again only when the text, the type or state the menu
    // holds, or the record changed. The bar is scanned when a property
    // changes its items, and measures them again only once they change.
    bool changed = true;
    MENUITEMINFOW now{};
    Trap([&] {
        s = MenuTextOf(menu, p);
        state = GetMenuState(menu, position, MF_BYPOSITION);
        now = ItemTypeAndState(menu, position);
        changed = item->MenuText() != s || now.fType != item->AppliedType() ||
                  now.fState != static_cast<UINT>(item->AppliedFlags()) ||
                  now.dwItemData != item->AccessibleData() || item->Dirty() || topLevel;
    });
    if (!changed) return item;
    // 16.
    Trap([&] {
        item->SetMenuText(s);
        checked = (state & MF_CHECKED) != 0;
        disabled = (state & kStateDisabled) != 0;
        item->SetChecked(checked);
        item->SetDisabled(disabled);
    });
    // 17. The form's window menu: back to a plain text item first.
    if (modify) {
        Trap([&] {
            UINT flags = 0;
            if (checked) flags |= MF_CHECKED;
            if (disabled) flags |= kStateDisabled;
            if (separator) flags |= MF_SEPARATOR;
            ModifyMenuW(menu, position, flags | MF_BYPOSITION, id, s.c_str());
            now = ItemTypeAndState(menu, position);
        });
    }
    // 18.-19. Owner-drawn, with the record's accessible-name block as item
    // data, so that screen readers find the item's name. Only the type and
    // the data change: identifier, submenu, state and every type flag the
    // host set stay (radio check, column breaks, the default item). A
    // separator stays a separator for the system, so that it can be neither
    // selected nor chosen.
    Trap([&] {
        const bool ours = (now.fType & MFT_OWNERDRAW) && now.dwItemData == item->AccessibleData();
        const UINT hostType = now.fType & ~(ours ? item->AddedType() : 0u);
        const UINT wanted = MFT_OWNERDRAW | (RightToLeft() ? RightToLeftType() : 0u);
        const UINT added = wanted & ~hostType;
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_DATA;
        info.fType = hostType | added;
        info.dwItemData = item->AccessibleData();
        if (!ours) item->SetHostData(now.dwItemData);
        if (!SetMenuItemInfoW(menu, position, TRUE, &info)) return;
        item->SetAppliedType(info.fType, added);
        item->SetAppliedFlags(static_cast<LONG>(now.fState));
        ++m_menuItemConversions;
    });
    // 20.
    return item;
}

}  // namespace quillon
