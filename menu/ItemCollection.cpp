#include "menu/ItemCollection.h"

namespace quillon {

std::wstring ItemCollection::KeyOf(LONG_PTR itemData) {
    return L"MENU_" + std::to_wstring(static_cast<long long>(itemData));
}

bool ItemCollection::Add(const std::wstring& key, CMenuItem* item) {
    if (!item || m_index.count(key)) return false;
    m_items.push_back({key, ComPtr<CMenuItem>(item), item->HMenu()});
    m_index.emplace(key, std::prev(m_items.end()));
    m_byMenu[item->HMenu()].insert(key);
    return true;
}

CMenuItem* ItemCollection::Find(const std::wstring& key) const {
    auto it = m_index.find(key);
    return it == m_index.end() ? nullptr : it->second->item.get();
}

void ItemCollection::Unlist(const Entry& entry) {
    auto menu = m_byMenu.find(entry.menu);
    if (menu == m_byMenu.end()) return;
    menu->second.erase(entry.key);
    if (menu->second.empty()) m_byMenu.erase(menu);
}

ComPtr<CMenuItem> ItemCollection::Remove(const std::wstring& key) {
    ComPtr<CMenuItem> removed;
    auto it = m_index.find(key);
    if (it == m_index.end()) return removed;
    Entries::iterator entry = it->second;
    m_index.erase(it);
    Unlist(*entry);
    removed = std::move(entry->item);
    m_items.erase(entry);
    return removed;
}

std::vector<ComPtr<CMenuItem>> ItemCollection::Items() const {
    std::vector<ComPtr<CMenuItem>> out;
    out.reserve(m_items.size());
    for (const auto& entry : m_items) out.push_back(entry.item);
    return out;
}

std::vector<std::wstring> ItemCollection::Keys() const {
    std::vector<std::wstring> out;
    out.reserve(m_items.size());
    for (const auto& entry : m_items) out.push_back(entry.key);
    return out;
}

void ItemCollection::NoteMenu(const std::wstring& key, LONG menu) {
    auto it = m_index.find(key);
    if (it == m_index.end() || it->second->menu == menu) return;
    Unlist(*it->second);
    it->second->menu = menu;
    m_byMenu[menu].insert(key);
}

std::vector<LONG> ItemCollection::Menus() const {
    std::vector<LONG> out;
    out.reserve(m_byMenu.size());
    for (const auto& entry : m_byMenu) out.push_back(entry.first);
    return out;
}

std::vector<std::wstring> ItemCollection::KeysOfMenu(LONG menu) const {
    auto it = m_byMenu.find(menu);
    return it == m_byMenu.end() ? std::vector<std::wstring>{} : std::vector<std::wstring>(it->second.begin(), it->second.end());
}

}  // namespace quillon
