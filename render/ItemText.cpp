// Text output of owner-drawn items.
#include "render/ItemText.h"

namespace quillon {

void DrawItemText(HDC, const std::wstring&, const RECT&, UINT, LONG) noexcept {}

}  // namespace quillon
