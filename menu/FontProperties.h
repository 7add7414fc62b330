#pragma once
// The eight properties of an OLE font that menu text depends on, read at once.
#include <windows.h>
#include <olectl.h>
#include <string>

namespace quillon {

struct FontProperties {
    bool valid = false;  // read from a font object
    BOOL bold = FALSE;
    SHORT charset = 0;
    BOOL italic = FALSE;
    std::wstring name;
    LONGLONG size = 0;  // points in CY units (1/10000)
    BOOL strikethrough = FALSE;
    BOOL underline = FALSE;
    SHORT weight = FW_NORMAL;

    static FontProperties Of(IFontDisp* font);
    bool operator==(const FontProperties&) const = default;
};

}  // namespace quillon
