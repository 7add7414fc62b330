#include "menu/ItemCollection.h"

namespace quillon {

std::wstring ItemCollection::KeyOf(LONG_PTR itemData) {
    return L"MENU_" + std::to_wstring(static_cast<long long>(itemData));
}

bool ItemCollection::ValueOfKey(const std::wstring& key, ULONG_PTR& value) {
    static constexpr wchar_t kPrefix[] = L"MENU_";
    constexpr size_t kPrefixLength = sizeof kPrefix / sizeof kPrefix[0] - 1;
    if (key.compare(0, kPrefixLength, kPrefix) != 0) return false;
    size_t i = kPrefixLength;
    const bool negative = i < key.size() && key[i] == L'-';
    if (negative) ++i;
    if (i == key.size()) return false;
    // KeyOf writes a LONG_PTR; its bits are the value.
    unsigned long long magnitude = 0;
    for (; i < key.size(); ++i) {
        if (key[i] < L'0' || key[i] > L'9') return false;
        const unsigned digit = static_cast<unsigned>(key[i] - L'0');
        if (magnitude > (~0ull - digit) / 10) return false;
        magnitude = magnitude * 10 + digit;
    }
    const unsigned long long bits = negative ? 0ull - magnitude : magnitude;
    value = static_cast<ULONG_PTR>(bits);
    return KeyOf(static_cast<LONG_PTR>(value)) == key;
}

bool ItemCollection::Add(const std::wstring& key, CMenuItem* item) {
    if (!item || m_index.count(key)) return false;
    m_items.push_back({key, ComPtr<CMenuItem>(item), item->HMenu()});
    m_index.emplace(key, std::prev(m_items.end()));
    m_byMenu[item->HMenu()].insert(key);
    m_byItemData.emplace(item->AccessibleData(), item);
    return true;
}

CMenuItem* ItemCollection::Find(const std::wstring& key) const {
    auto it = m_index.find(key);
    return it == m_index.end() ? nullptr : it->second->item.get();
}

CMenuItem* ItemCollection::FindByItemData(ULONG_PTR itemData) const {
    auto it = m_byItemData.find(itemData);
    return it == m_byItemData.end() ? nullptr : it->second;
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
    // The block leaves with its record, before the record may go.
    auto block = m_byItemData.find(entry->item->AccessibleData());
    if (block != m_byItemData.end() && block->second == entry->item.get()) m_byItemData.erase(block);
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
