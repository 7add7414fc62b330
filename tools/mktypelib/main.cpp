// mktypelib OUTPUT.tlb: writes the QuillonLib type library. Run at build
// time for the target platform (under the emulator when cross-compiling).
#include <cstdio>
#include <string>
#include "tools/mktypelib/TypeLibWriter.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mktypelib OUTPUT.tlb\n");
        return 2;
    }
    std::wstring path;
    for (const char* p = argv[1]; *p; ++p) path += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    DeleteFileW(path.c_str());
    if (FAILED(OleInitialize(nullptr))) {
        std::fprintf(stderr, "mktypelib: OleInitialize failed\n");
        return 1;
    }
    std::string where;
    HRESULT hr = quillon::tlb::WriteTypeLibrary(quillon::tlb::QuillonLibrary(), path.c_str(), where);
    OleUninitialize();
    if (FAILED(hr)) {
        std::fprintf(stderr, "mktypelib: %s failed (0x%08lX)\n", where.c_str(), static_cast<unsigned long>(hr));
        DeleteFileW(path.c_str());
        return 1;
    }
    return 0;
}
