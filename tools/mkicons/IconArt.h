#pragma once
// The command icons of the resource library, drawn from code: each entry
// names the icon's base name (the resource is base name + "_ICON") and the
// function that paints it.
#include <string_view>
#include <vector>
#include "tools/mkicons/Canvas.h"

namespace mkicons {

struct IconArt {
    std::string_view baseName;
    // False when a pixel map of the drawing is malformed.
    bool (*draw)(Canvas&);
};

const std::vector<IconArt>& AllIcons();

}  // namespace mkicons
