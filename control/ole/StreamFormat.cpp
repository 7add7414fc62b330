// Stream format of the control's named values, version 1. All integers are
// little-endian.
//
//   header   4 bytes  magic "QLPB"
//            u16      format version (1)
//            u16      reserved, 0
//            u32      number of records
//   record   u32      name length in UTF-16 code units, then the name (UTF-16LE)
//            u16      VARTYPE of the value, then its payload:
//              VT_EMPTY, VT_NULL          nothing
//              VT_I1, VT_UI1              1 byte
//              VT_I2, VT_UI2, VT_BOOL     2 bytes
//              VT_I4, VT_UI4, VT_INT, VT_UINT, VT_ERROR, VT_R4   4 bytes
//              VT_I8, VT_UI8, VT_R8, VT_CY, VT_DATE              8 bytes
//              VT_BSTR                    u32 length in code units, then UTF-16LE
//              VT_UNKNOWN, VT_DISPATCH    u32 byte count, then that many bytes:
//                                         the class id CLSID_StdPicture and the
//                                         picture's own IPersistStream data (as
//                                         OleSaveToStream writes them); 0 bytes:
//                                         no object. Only pictures are stored.
//
// A reader stops at the first damaged record (a cut stream, an unknown type,
// a length beyond the end of the stream); the values before it count. An
// object record whose bytes are all there but cannot be restored as a
// picture (a foreign class id, data the picture object cannot load) is
// passed on as VT_ERROR carrying the reason, so the key is skipped like any
// value of the wrong type and reading goes on with the next record.
// Objects are only ever restored as pictures, whatever class id a damaged
// or foreign stream names, so loading never creates an arbitrary class.
#include "control/ole/StreamFormat.h"
#include <olectl.h>
#include <climits>
#include <cstring>
#include <string>
#include <vector>
#include "control/ole/ComPtr.h"

namespace quillon::stream_format {
namespace {

constexpr char kMagic[4] = {'Q', 'L', 'P', 'B'};
constexpr WORD kVersion = 1;
constexpr DWORD kMaxName = 4096;
constexpr DWORD kMaxString = 16u * 1024 * 1024;
constexpr DWORD kMaxObject = 64u * 1024 * 1024;

// --- writing --------------------------------------------------------------
class Out {
public:
    explicit Out(IStream* s) : m_s(s) {}
    HRESULT Bytes(const void* p, ULONG n) {
        m_size += n;
        if (!m_s || n == 0) return S_OK;
        ULONG done = 0;
        HRESULT hr = m_s->Write(p, n, &done);
        if (FAILED(hr)) return hr;
        return done == n ? S_OK : STG_E_MEDIUMFULL;
    }
    template <class T>
    HRESULT Pod(T v) { return Bytes(&v, sizeof v); }
    HRESULT Text(const wchar_t* s, DWORD len) {
        HRESULT hr = Pod<DWORD>(len);
        return FAILED(hr) ? hr : Bytes(s, len * sizeof(wchar_t));
    }
    ULONGLONG size() const { return m_size; }

private:
    IStream* m_s;
    ULONGLONG m_size = 0;
};

// Payload width of the fixed-size types; 0 for none, -1 for unsupported.
int FixedWidth(VARTYPE vt) {
    switch (vt) {
        case VT_EMPTY: case VT_NULL: return 0;
        case VT_I1: case VT_UI1: return 1;
        case VT_I2: case VT_UI2: case VT_BOOL: return 2;
        case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: case VT_R4: return 4;
        case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE: return 8;
        default: return -1;
    }
}

HRESULT ObjectBytes(IUnknown* obj, std::vector<BYTE>& bytes) {
    bytes.clear();
    if (!obj) return S_OK;
    ComPtr<IPicture> picture;
    HRESULT hr = obj->QueryInterface(IID_IPicture, picture.put_void());
    if (FAILED(hr) || !picture) return DISP_E_BADVARTYPE;
    ComPtr<IPersistStream> persist;
    hr = picture->QueryInterface(IID_IPersistStream, persist.put_void());
    if (FAILED(hr) || !persist) return DISP_E_BADVARTYPE;
    // Readers restore only the system's picture class.
    CLSID clsid{};
    if (FAILED(persist->GetClassID(&clsid)) || !IsEqualCLSID(clsid, CLSID_StdPicture)) return DISP_E_BADVARTYPE;
    ComPtr<IStream> mem;
    hr = CreateStreamOnHGlobal(nullptr, TRUE, mem.put());
    if (FAILED(hr)) return hr;
    hr = OleSaveToStream(persist.get(), mem.get());
    if (FAILED(hr)) return hr;
    HGLOBAL h = nullptr;
    hr = GetHGlobalFromStream(mem.get(), &h);
    if (FAILED(hr)) return hr;
    STATSTG st{};
    hr = mem->Stat(&st, STATFLAG_NONAME);
    if (FAILED(hr)) return hr;
    const auto n = static_cast<size_t>(st.cbSize.QuadPart);
    if (n > kMaxObject) return STG_E_MEDIUMFULL;
    const void* p = GlobalLock(h);
    if (!p) return E_OUTOFMEMORY;
    bytes.assign(static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + n);
    GlobalUnlock(h);
    return S_OK;
}

HRESULT WriteValue(Out& out, const VARIANT& v) {
    const VARTYPE vt = V_VT(&v);
    HRESULT hr = out.Pod<WORD>(vt);
    if (FAILED(hr)) return hr;
    const int width = FixedWidth(vt);
    if (width >= 0) return out.Bytes(&v.bVal, static_cast<ULONG>(width));  // the union's first byte
    if (vt == VT_BSTR) return out.Text(V_BSTR(&v) ? V_BSTR(&v) : L"", SysStringLen(V_BSTR(&v)));
    if (vt == VT_UNKNOWN || vt == VT_DISPATCH) {
        std::vector<BYTE> bytes;
        hr = ObjectBytes(V_UNKNOWN(&v), bytes);
        if (FAILED(hr)) return hr;
        hr = out.Pod<DWORD>(static_cast<DWORD>(bytes.size()));
        return FAILED(hr) ? hr : out.Bytes(bytes.data(), static_cast<ULONG>(bytes.size()));
    }
    return DISP_E_BADVARTYPE;
}

HRESULT WriteAll(Out& out, const MemoryPropertyBag& bag) {
    HRESULT hr = out.Bytes(kMagic, sizeof kMagic);
    if (SUCCEEDED(hr)) hr = out.Pod<WORD>(kVersion);
    if (SUCCEEDED(hr)) hr = out.Pod<WORD>(0);
    if (SUCCEEDED(hr)) hr = out.Pod<DWORD>(static_cast<DWORD>(bag.Values().size()));
    for (const auto& v : bag.Values()) {
        if (FAILED(hr)) break;
        hr = out.Text(v.name.c_str(), static_cast<DWORD>(v.name.size()));
        if (SUCCEEDED(hr)) hr = WriteValue(out, v.value);
    }
    return hr;
}

// --- reading --------------------------------------------------------------
class In {
public:
    explicit In(IStream* s) : m_s(s), m_left(BytesLeft(s)) {}
    HRESULT Bytes(void* p, ULONG n) {
        if (n == 0) return S_OK;
        ULONG done = 0;
        HRESULT hr = m_s->Read(p, n, &done);
        if (FAILED(hr)) return hr;
        m_left -= done < m_left ? done : m_left;
        return done == n ? S_OK : STG_E_READFAULT;
    }
    template <class T>
    HRESULT Pod(T& v) { return Bytes(&v, sizeof v); }
    // A count of `unit`-byte elements. A damaged count is caught here,
    // before anything is allocated for it.
    HRESULT Length(DWORD& n, ULONG unit, DWORD max) {
        HRESULT hr = Pod(n);
        if (FAILED(hr)) return hr;
        return n > max || static_cast<ULONGLONG>(n) * unit > m_left ? STG_E_DOCFILECORRUPT : S_OK;
    }
    HRESULT Text(std::wstring& s, DWORD max) {
        DWORD len = 0;
        HRESULT hr = Length(len, sizeof(wchar_t), max);
        if (FAILED(hr)) return hr;
        s.assign(len, L'\0');
        return Bytes(s.data(), len * sizeof(wchar_t));
    }

private:
    // What is left from the current position; unknown (no limit beyond the
    // caps) for a stream that cannot tell.
    static ULONGLONG BytesLeft(IStream* s) {
        STATSTG st{};
        LARGE_INTEGER zero{};
        ULARGE_INTEGER at{};
        if (FAILED(s->Stat(&st, STATFLAG_NONAME)) || FAILED(s->Seek(zero, STREAM_SEEK_CUR, &at)) ||
            at.QuadPart > st.cbSize.QuadPart)
            return ULLONG_MAX;
        return st.cbSize.QuadPart - at.QuadPart;
    }

    IStream* m_s;
    ULONGLONG m_left;
};

// The picture saved in `bytes` (class id, then its own data), as `iid`.
HRESULT LoadPicture(const std::vector<BYTE>& bytes, REFIID iid, void** obj) {
    ComPtr<IStream> mem;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, mem.put());
    if (FAILED(hr)) return hr;
    ULONG done = 0;
    hr = mem->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &done);
    if (FAILED(hr)) return hr;
    if (done != bytes.size()) return STG_E_MEDIUMFULL;
    LARGE_INTEGER zero{};
    hr = mem->Seek(zero, STREAM_SEEK_SET, nullptr);
    if (FAILED(hr)) return hr;
    CLSID clsid{};
    hr = ReadClassStm(mem.get(), &clsid);
    if (FAILED(hr) || !IsEqualCLSID(clsid, CLSID_StdPicture)) return DISP_E_TYPEMISMATCH;
    ComPtr<IPersistStream> picture;
    hr = CoCreateInstance(CLSID_StdPicture, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistStream, picture.put_void());
    if (FAILED(hr) || !picture) {
        // Not registered: the same object, uninitialised, straight from OLE.
        hr = OleCreatePictureIndirect(nullptr, IID_IPersistStream, TRUE, picture.put_void());
        if (FAILED(hr) || !picture) return FAILED(hr) ? hr : E_UNEXPECTED;
    }
    hr = picture->Load(mem.get());
    if (FAILED(hr)) return hr;
    hr = picture->QueryInterface(iid, obj);
    return SUCCEEDED(hr) && !*obj ? E_NOINTERFACE : hr;
}

HRESULT ReadObject(In& in, VARTYPE vt, VARIANT& v) {
    DWORD n = 0;
    HRESULT hr = in.Length(n, 1, kMaxObject);
    if (FAILED(hr)) return hr;
    V_VT(&v) = vt;
    V_UNKNOWN(&v) = nullptr;
    if (n == 0) return S_OK;
    std::vector<BYTE> bytes(n);
    hr = in.Bytes(bytes.data(), n);
    if (FAILED(hr)) return hr;
    void* obj = nullptr;
    hr = LoadPicture(bytes, vt == VT_DISPATCH ? IID_IDispatch : IID_IUnknown, &obj);
    if (FAILED(hr)) {
        // The record is whole: only this value is lost.
        V_VT(&v) = VT_ERROR;
        V_ERROR(&v) = hr;
        return S_OK;
    }
    V_UNKNOWN(&v) = static_cast<IUnknown*>(obj);
    return S_OK;
}

HRESULT ReadValue(In& in, VARIANT& v) {
    WORD vt = 0;
    HRESULT hr = in.Pod(vt);
    if (FAILED(hr)) return hr;
    const int width = FixedWidth(vt);
    if (width >= 0) {
        hr = in.Bytes(&v.bVal, static_cast<ULONG>(width));
        if (SUCCEEDED(hr)) V_VT(&v) = vt;
        return hr;
    }
    if (vt == VT_BSTR) {
        std::wstring s;
        hr = in.Text(s, kMaxString);
        if (FAILED(hr)) return hr;
        BSTR b = SysAllocStringLen(s.data(), static_cast<UINT>(s.size()));
        if (!b) return E_OUTOFMEMORY;
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = b;
        return S_OK;
    }
    if (vt == VT_UNKNOWN || vt == VT_DISPATCH) return ReadObject(in, vt, v);
    return STG_E_DOCFILECORRUPT;
}

}  // namespace

HRESULT Write(IStream* stream, const MemoryPropertyBag& bag) {
    if (!stream) return E_POINTER;
    Out out(stream);
    return WriteAll(out, bag);
}

HRESULT Size(const MemoryPropertyBag& bag, ULONGLONG& size) {
    Out out(nullptr);
    HRESULT hr = WriteAll(out, bag);
    size = out.size();
    return hr;
}

HRESULT Read(IStream* stream, MemoryPropertyBag& bag) {
    if (!stream) return E_POINTER;
    In in(stream);
    char magic[4] = {};
    WORD version = 0, reserved = 0;
    DWORD count = 0;
    HRESULT hr = in.Bytes(magic, sizeof magic);
    if (SUCCEEDED(hr)) hr = in.Pod(version);
    if (SUCCEEDED(hr)) hr = in.Pod(reserved);
    if (SUCCEEDED(hr)) hr = in.Pod(count);
    if (FAILED(hr)) return hr;
    if (std::memcmp(magic, kMagic, sizeof kMagic) != 0 || version != kVersion) return STG_E_INVALIDHEADER;
    for (DWORD i = 0; i < count; ++i) {
        std::wstring name;
        hr = in.Text(name, kMaxName);
        if (FAILED(hr)) return hr;
        VARIANT v;
        VariantInit(&v);
        hr = ReadValue(in, v);
        if (SUCCEEDED(hr)) hr = bag.Append(name, v);
        VariantClear(&v);
        if (FAILED(hr)) return hr;
    }
    return S_OK;
}

}  // namespace quillon::stream_format
