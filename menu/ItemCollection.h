#pragma once
// The control's item collection: menu item records in the order they were
// added, each under its unique key "MENU_" and its ItemData in decimal, and
// which records belong to which menu, so that the records of a menu that is
// gone are dropped at a cost that does not grow with the other records. It
// also knows the address of every record's accessible-name block, the item
// data of the items it converted, so that a value found in a menu or a
// message is taken for a record only when it is one of these live blocks.
#include <windows.h>
#include <list>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>
#include "control/ole/ComPtr.h"
#include "menu/MenuItem.h"

namespace quillon {

class ItemCollection {
public:
    // "MENU_" and the value in decimal.
    static std::wstring KeyOf(LONG_PTR itemData);
    // The number a key was made from; false for a key KeyOf did not make.
    static bool ValueOfKey(const std::wstring& key, ULONG_PTR& value);

    // Adds `item` under `key`; false when the key is taken.
    bool Add(const std::wstring& key, CMenuItem* item);
    // The record under `key` (not AddRef'd), or null.
    CMenuItem* Find(const std::wstring& key) const;
    // The record whose accessible-name block `itemData` is the address of
    // (not AddRef'd), or null. Only compared, never read through: foreign
    // and dangling values are simply not found.
    CMenuItem* FindByItemData(ULONG_PTR itemData) const;
    // Removes the record under `key`; the removed record, or null.
    ComPtr<CMenuItem> Remove(const std::wstring& key);
    size_t Count() const { return m_items.size(); }
    // The records in order, as a snapshot that stays valid while the
    // collection changes.
    std::vector<ComPtr<CMenuItem>> Items() const;
    // Direct walk in order; `f` must not change the collection.
    template <class F>
    void ForEach(F&& f) const {
        for (const auto& entry : m_items) f(*entry.item.get());
    }
    // Walks the records of one menu only, in no particular order: what a
    // popup's columns ask costs the same however many other menus there are.
    template <class F>
    void ForEachOfMenu(LONG menu, F&& f) const {
        auto keys = m_byMenu.find(menu);
        if (keys == m_byMenu.end()) return;
        for (const std::wstring& key : keys->second) {
            auto it = m_index.find(key);
            if (it != m_index.end()) f(*it->second->item.get());
        }
    }
    // Keys in order.
    std::vector<std::wstring> Keys() const;

    // The record under `key` now belongs to `menu` (its HMenu).
    void NoteMenu(const std::wstring& key, LONG menu);
    // The menus that have records, and the keys of one menu's records.
    std::vector<LONG> Menus() const;
    std::vector<std::wstring> KeysOfMenu(LONG menu) const;

private:
    struct Entry {
        std::wstring key;
        ComPtr<CMenuItem> item;
        LONG menu = 0;
    };
    using Entries = std::list<Entry>;
    void Unlist(const Entry& entry);

    Entries m_items;
    std::unordered_map<std::wstring, Entries::iterator> m_index;
    std::unordered_map<ULONG_PTR, CMenuItem*> m_byItemData;  // live blocks
    std::unordered_map<LONG, std::unordered_set<std::wstring>> m_byMenu;
};

}  // namespace quillon
