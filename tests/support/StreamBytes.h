#pragma once
// A memory stream's bytes and a memory stream made of bytes, for the tests
// that take a saved stream apart, damage it and load it again.
#include <windows.h>
#include <objbase.h>
#include <algorithm>
#include <vector>
#include "control/ole/ComPtr.h"

namespace quillon::test {

inline std::vector<BYTE> BytesOf(IStream* s) {
    HGLOBAL h = nullptr;
    GetHGlobalFromStream(s, &h);
    STATSTG st{};
    s->Stat(&st, STATFLAG_NONAME);
    std::vector<BYTE> out(static_cast<size_t>(st.cbSize.QuadPart));
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(h));
    if (p) std::copy(p, p + out.size(), out.begin());
    GlobalUnlock(h);
    return out;
}

inline ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
    ComPtr<IStream> s;
    CreateStreamOnHGlobal(nullptr, TRUE, s.put());
    ULONG done = 0;
    s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &done);
    LARGE_INTEGER zero{};
    s->Seek(zero, STREAM_SEEK_SET, nullptr);
    return s;
}

}  // namespace quillon::test
