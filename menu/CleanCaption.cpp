// The clean caption of a menu text: the key of image-list pictures, help
// texts and default pictures.
#include <algorithm>
#include "control/Quillon.h"

namespace quillon {

std::wstring Quillon::CleanCaption(const std::wstring& caption) {
    const size_t first = caption.find_first_not_of(L' ');
    std::wstring s;
    if (first != std::wstring::npos) s = caption.substr(first, caption.find_last_not_of(L' ') - first + 1);
    std::erase(s, L'&');
    std::erase(s, L'.');
    const size_t plus = s.rfind(L'+');
    if (plus != std::wstring::npos && plus > 0) {
        const size_t tab = s.rfind(L'\t', plus - 1);
        if (tab != std::wstring::npos) s.erase(tab);
    }
    if (!s.empty()) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

}  // namespace quillon
