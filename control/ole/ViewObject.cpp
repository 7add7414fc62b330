// IViewObject2: the design-time picture, stretched into the bounds given.
#include "control/ole/Module.h"
#include "control/ole/OleControl.h"
#include "control/ole/ResourceIds.h"
#include "hook/Guard.h"

namespace quillon {
namespace {

// GDI objects of one drawing step, deleted when it ends.
struct MemoryDC {
    HDC dc;
    HGDIOBJ old = nullptr;
    explicit MemoryDC(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
    ~MemoryDC() {
        if (!dc) return;
        if (old) SelectObject(dc, old);
        DeleteDC(dc);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
};

struct Bitmap {
    HBITMAP h;
    explicit Bitmap(HBITMAP b) : h(b) {}
    ~Bitmap() { if (h) DeleteObject(h); }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
};

HRESULT DrawDesignPicture(HDC target, const RECTL& r) {
    Bitmap bmp(static_cast<HBITMAP>(
        LoadImageA(module::Instance(), MAKEINTRESOURCEA(IDB_QUILLON_DESIGN), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!bmp.h) return E_FAIL;
    BITMAP info{};
    GetObjectA(bmp.h, sizeof info, &info);
    MemoryDC mem(target);
    if (!mem.dc) return E_FAIL;
    mem.old = SelectObject(mem.dc, bmp.h);
    const int oldMode = SetStretchBltMode(target, COLORONCOLOR);
    const BOOL ok = StretchBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, mem.dc, 0, 0,
                               info.bmWidth, info.bmHeight, SRCCOPY);
    SetStretchBltMode(target, oldMode);
    return ok ? S_OK : E_FAIL;
}

}  // namespace

STDMETHODIMP OleControl::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                              BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    HRESULT hr = E_FAIL;
    Trap([&] { hr = DrawDesignPicture(dc, *bounds); });
    return hr;
}

STDMETHODIMP OleControl::GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE** colors) {
    if (colors) *colors = nullptr;
    return S_FALSE;
}

STDMETHODIMP OleControl::Freeze(DWORD, LONG, void*, DWORD* freeze) {
    if (freeze) *freeze = 0;
    return E_NOTIMPL;
}

STDMETHODIMP OleControl::Unfreeze(DWORD) { return E_NOTIMPL; }

STDMETHODIMP OleControl::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    m_viewAdvise = sink;
    m_viewAdviseAspects = aspects;
    m_viewAdviseFlags = flags;
    return S_OK;
}

STDMETHODIMP OleControl::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = m_viewAdviseAspects;
    if (flags) *flags = m_viewAdviseFlags;
    if (sink) {
        *sink = m_viewAdvise.get();
        if (*sink) (*sink)->AddRef();
    }
    return S_OK;
}

STDMETHODIMP OleControl::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = DesignExtent();
    return S_OK;
}

}  // namespace quillon
