#include "menu/ItemCollection.h"
#include <algorithm>

namespace quillon {

std::wstring ItemCollection::KeyOf(LONG_PTR itemData) {
    return L"MENU_" + std::to_wstring(static_cast<long long>(itemData));
}

bool ItemCollection::Add(const std::wstring& key, CMenuItem* item) {
    if (!item || m_index.count(key)) return false;
    m_items.push_back({key, ComPtr<CMenuItem>(item)});
    m_index.emplace(key, item);
    return true;
}

CMenuItem* ItemCollection::Find(const std::wstring& key) const {
    auto it = m_index.find(key);
    return it == m_index.end() ? nullptr : it->second;
}

ComPtr<CMenuItem> ItemCollection::Remove(const std::wstring& key) {
    ComPtr<CMenuItem> removed;
    if (!m_index.erase(key)) return removed;
    auto it = std::find_if(m_items.begin(), m_items.end(), [&](const Entry& e) { return e.key == key; });
    if (it != m_items.end()) {
        removed = std::move(it->item);
        m_items.erase(it);
    }
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

}  // namespace quillon
