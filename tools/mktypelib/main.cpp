// mktypelib OUTPUT.tlb [win32|win64]: writes the QuillonLib type library
// for the platform named (by default this program's own). Run at build
// time (under the emulator when cross-compiling).
#include <cstdio>
#include <string>
#include "tools/mktypelib/TypeLibWriter.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: mktypelib OUTPUT.tlb [win32|win64]\n");
        return 2;
    }
#ifdef _WIN64
    SYSKIND platform = SYS_WIN64;
#else
    SYSKIND platform = SYS_WIN32;
#endif
    if (argc == 3) platform = std::string(argv[2]) == "win32" ? SYS_WIN32 : SYS_WIN64;
    std::wstring path;
    for (const char* p = argv[1]; *p; ++p) path += static_cast<wchar_t>(static_cast<unsigned char>(*p));
    DeleteFileW(path.c_str());
    if (FAILED(OleInitialize(nullptr))) {
        std::fprintf(stderr, "mktypelib: OleInitialize failed\n");
        return 1;
    }
    std::string where;
    HRESULT hr = quillon::tlb::WriteTypeLibrary(quillon::tlb::QuillonLibrary(), path.c_str(), platform, where);
    OleUninitialize();
    if (FAILED(hr)) {
        std::fprintf(stderr, "mktypelib: %s failed (0x%08lX)\n", where.c_str(), static_cast<unsigned long>(hr));
        DeleteFileW(path.c_str());
        return 1;
    }
    return 0;
}
