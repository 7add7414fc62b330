// mkicons OUTDIR: draws every command icon at each of its sizes into
// OUTDIR/<base name>.ico and writes OUTDIR/QuillonIcons.rc, which names each
// one <base name>_ICON. The resource script is written last, so its presence
// means a full set.
#include <cstdio>
#include <fstream>
#include <string>
#include "tools/mkicons/IcoWriter.h"
#include "tools/mkicons/IconArt.h"

namespace {

// The sizes of every icon, for displays from 100% to 300%; each is drawn at
// its own resolution.
constexpr int kSizes[] = {16, 20, 24, 32, 48};

bool WriteFile(const std::string& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

int Run(const std::string& dir) {
    std::string script = "// Written by mkicons: the command icons of QuillonRes.dll.\n";
    for (const mkicons::IconArt& art : mkicons::AllIcons()) {
        const std::string base(art.baseName);
        std::vector<mkicons::Canvas> images;
        for (int size : kSizes) {
            images.emplace_back(size);
            if (!art.draw(images.back())) {
                std::fprintf(stderr, "mkicons: the drawing of %s has a malformed pixel map\n", base.c_str());
                return 1;
            }
        }
        const std::vector<std::uint8_t> ico = mkicons::EncodeIco(images);
        if (!WriteFile(dir + "/" + base + ".ico", ico.data(), ico.size())) {
            std::fprintf(stderr, "mkicons: cannot write %s/%s.ico\n", dir.c_str(), base.c_str());
            return 1;
        }
        script += base + "_ICON ICON \"" + base + ".ico\"\n";
    }
    if (!WriteFile(dir + "/QuillonIcons.rc", script.data(), script.size())) {
        std::fprintf(stderr, "mkicons: cannot write %s/QuillonIcons.rc\n", dir.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkicons OUTDIR\n");
        return 2;
    }
    try {
        return Run(argv[1]);
    } catch (...) {
        std::fprintf(stderr, "mkicons: failed\n");
        return 1;
    }
}
