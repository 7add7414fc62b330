#include "hook/SubclassInfo.h"
#include <algorithm>

namespace quillon {

cSubclassInfo::cSubclassInfo(HWND h, cSubclassListener* l) noexcept : hwnd(h), listener(l) {
    if (listener) listener->AddRef();
}

cSubclassInfo::~cSubclassInfo() {
    if (listener) listener->Release();
    if (below) below->Release();
}

void cSubclassInfo::AddMessage(UINT msg) {
    if (msg == 0) return;
    auto it = std::lower_bound(m_msgList.begin(), m_msgList.end(), msg);
    if (it == m_msgList.end() || *it != msg) m_msgList.insert(it, msg);
}

void cSubclassInfo::RemoveMessage(UINT msg) noexcept {
    if (msg == 0) return;
    auto it = std::lower_bound(m_msgList.begin(), m_msgList.end(), msg);
    if (it != m_msgList.end() && *it == msg) m_msgList.erase(it);
}

bool cSubclassInfo::IsMessageHooked(UINT msg) const noexcept {
    return std::binary_search(m_msgList.begin(), m_msgList.end(), msg);
}

}  // namespace quillon
