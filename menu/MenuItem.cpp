// The menu item record: host-visible getters and lets, the control's own
// setters, menu text parsing and font change notification.
#include "menu/MenuItem.h"
#include <new>
#include "control/TextConversion.h"
#include "hook/Guard.h"

namespace quillon {
namespace {

HRESULT Out(BSTR* value, const std::wstring& text) {
    if (!value) return E_POINTER;
    *value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *value || text.empty() ? S_OK : E_OUTOFMEMORY;
}

template <class T>
HRESULT Out(T* value, T v) {
    if (!value) return E_POINTER;
    *value = v;
    return S_OK;
}

HRESULT Out(VARIANT_BOOL* value, bool v) {
    if (!value) return E_POINTER;
    *value = v ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

template <class I>
HRESULT OutRef(I** value, I* object) {
    if (!value) return E_POINTER;
    *value = object;
    if (object) object->AddRef();
    return S_OK;
}

wchar_t UpperCase(wchar_t c) {
    wchar_t buffer[2] = {c, 0};
    CharUpperBuffW(buffer, 1);
    return buffer[0];
}

}  // namespace

// Receives the property changes of the record's fonts. It has its own
// count so that the fonts' connection points never keep the record alive;
// the record detaches it before it goes.
class CMenuItem::FontSink final : public IPropertyNotifySink {
public:
    explicit FontSink(CMenuItem* owner) : m_owner(owner) {}
    void Detach() { m_owner = nullptr; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyNotifySink)) {
            *ppv = static_cast<IPropertyNotifySink*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG n = InterlockedDecrement(&m_refs);
        if (n == 0) delete this;
        return static_cast<ULONG>(n);
    }
    STDMETHODIMP OnChanged(DISPID) override {
        if (m_owner) m_owner->FontChanged();
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

private:
    ~FontSink() = default;
    LONG m_refs = 1;
    CMenuItem* m_owner;
};

ComPtr<CMenuItem> CMenuItem::Create() {
    CMenuItem* item = new (std::nothrow) CMenuItem();
    return ComPtr<CMenuItem>::Adopt(item);
}

CMenuItem::CMenuItem() : DualDispatch<_CMenuItem>(IID__CMenuItem), m_sink(new (std::nothrow) FontSink(this)) {}

CMenuItem::~CMenuItem() {
    // Shortcut font first, then caption font, then the picture.
    Uninstall(m_ShortcutFont);
    Uninstall(m_CaptionFont);
    m_PictureMetrics.Reset();
    m_Picture.Reset();
    if (m_sink) {
        m_sink->Detach();
        m_sink->Release();
    }
}

STDMETHODIMP CMenuItem::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID__CMenuItem)) {
        *ppv = static_cast<_CMenuItem*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CMenuItem::AddRef() { return static_cast<ULONG>(++m_refs); }

STDMETHODIMP_(ULONG) CMenuItem::Release() {
    const LONG n = --m_refs;
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
}

// --- getters ----------------------------------------------------------------

STDMETHODIMP CMenuItem::get_TooltTipText(BSTR* value) { return Out(value, m_TooltTipText); }
STDMETHODIMP CMenuItem::get_CaptionFont(IFontDisp** value) { return OutRef(value, m_CaptionFont.font.get()); }
STDMETHODIMP CMenuItem::get_ShortcutFont(IFontDisp** value) { return OutRef(value, m_ShortcutFont.font.get()); }
STDMETHODIMP CMenuItem::get_HasSubMenus(VARIANT_BOOL* value) { return Out(value, m_HasSubMenus); }
STDMETHODIMP CMenuItem::get_IsTopLevel(VARIANT_BOOL* value) { return Out(value, m_IsTopLevel); }
STDMETHODIMP CMenuItem::get_IsSeparator(VARIANT_BOOL* value) { return Out(value, m_IsSeparator); }
STDMETHODIMP CMenuItem::get_ShortcutText(BSTR* value) { return Out(value, m_ShortcutText); }
STDMETHODIMP CMenuItem::get_Caption(BSTR* value) { return Out(value, m_Caption); }
STDMETHODIMP CMenuItem::get_Disabled(VARIANT_BOOL* value) { return Out(value, m_Disabled); }
STDMETHODIMP CMenuItem::get_Checked(VARIANT_BOOL* value) { return Out(value, m_Checked); }
STDMETHODIMP CMenuItem::get_hwnd(LONG* value) { return Out(value, m_hwnd); }
STDMETHODIMP CMenuItem::get_hMenu(LONG* value) { return Out(value, m_hMenu); }
STDMETHODIMP CMenuItem::get_MenuId(LONG* value) { return Out(value, m_MenuId); }
STDMETHODIMP CMenuItem::get_ParentMenuId(LONG* value) { return Out(value, m_ParentMenuId); }
STDMETHODIMP CMenuItem::get_Picture(IPictureDisp** value) { return OutRef(value, m_Picture.get()); }
STDMETHODIMP CMenuItem::get_PictureBackColor(OLE_COLOR* value) { return Out(value, m_PictureBackColor); }
STDMETHODIMP CMenuItem::get_MenuText(BSTR* value) { return Out(value, m_MenuText); }
STDMETHODIMP CMenuItem::get_ShortcutTextWidth(LONG* value) { return Out(value, m_ShortcutTextWidth); }
STDMETHODIMP CMenuItem::get_ShortcutTextHeight(LONG* value) { return Out(value, m_ShortcutTextHeight); }
STDMETHODIMP CMenuItem::get_CaptionTextWidth(LONG* value) { return Out(value, m_CaptionTextWidth); }
STDMETHODIMP CMenuItem::get_CaptionTextHeight(LONG* value) { return Out(value, m_CaptionTextHeight); }
STDMETHODIMP CMenuItem::get_Position(LONG* value) { return Out(value, m_Position); }
STDMETHODIMP CMenuItem::get_IsFirst(VARIANT_BOOL* value) { return Out(value, m_IsFirst); }
STDMETHODIMP CMenuItem::get_IsLast(VARIANT_BOOL* value) { return Out(value, m_IsLast); }

STDMETHODIMP CMenuItem::get_Language(qlLanguage* value) {
    if (!value) return E_POINTER;
    *value = static_cast<qlLanguage>(m_Language);
    return S_OK;
}

// --- the host's lets and sets ----------------------------------------------

STDMETHODIMP CMenuItem::put_TooltTipText(BSTR* value) {
    if (!value) return E_POINTER;
    bool ok = Trap([&] { SetTooltTipText(*value ? std::wstring(*value, SysStringLen(*value)) : std::wstring()); });
    return ok ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CMenuItem::putref_Picture(IPictureDisp** value) {
    if (!value) return E_POINTER;
    SetPicture(*value);
    return S_OK;
}

STDMETHODIMP CMenuItem::put_PictureBackColor(OLE_COLOR* value) {
    if (!value) return E_POINTER;
    SetPictureBackColor(*value);
    return S_OK;
}

STDMETHODIMP CMenuItem::put_Language(qlLanguage value) {
    SetLanguage(value);
    return S_OK;
}

void CMenuItem::SetTooltTipText(const std::wstring& text) {
    const size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        m_TooltTipText.clear();
        return;
    }
    const size_t last = text.find_last_not_of(L' ');
    m_TooltTipText = text.substr(first, last - first + 1);
}

void CMenuItem::SetPictureBackColor(OLE_COLOR color) {
    if (color == m_PictureBackColor) return;
    m_PictureBackColor = color;
    m_Dirty = true;
}

void CMenuItem::SetLanguage(LONG language) {
    m_Language = language;
    Trap([&] { ApplyCharset(m_CaptionFont.font.get()); });
    Trap([&] { ApplyCharset(m_ShortcutFont.font.get()); });
}

// --- library-only setters ---------------------------------------------------

void CMenuItem::SetItemData(LONG v) {
    if (v == m_ItemData) return;
    m_ItemData = v;
    m_AccessibleName.SetSerial(v);
    m_Dirty = true;
}

void CMenuItem::SetMenuText(const std::wstring& text) {
    m_Caption.clear();
    m_ShortcutText.clear();
    m_MenuText = text;
    m_AccessibleName.SetText(text);
    m_AccessKey = 0;
    const size_t amp = text.find(L'&');
    if (amp != std::wstring::npos && amp + 1 < text.size()) m_AccessKey = AnsiCode(UpperCase(text[amp + 1]));
    m_Caption = text;
    const size_t tab = text.find(L'\t');
    if (tab == std::wstring::npos) return;
    m_ShortcutText = text.substr(tab + 1);
    m_Caption = text.substr(0, tab);
}

void CMenuItem::SetCaptionFont(IFontDisp* font) { Install(m_CaptionFont, font); }

void CMenuItem::SetShortcutFont(IFontDisp* font) { Install(m_ShortcutFont, font); }

void CMenuItem::ApplyCharset(IFontDisp* font) const {
    if (!font) return;
    ComPtr<IFont> f = ComPtr<IFontDisp>(font).As<IFont>(IID_IFont);
    if (!f) return;
    // Only a change is written: a changed font object builds its GDI font
    // again when it is next read, and every scan sets the language.
    const SHORT wanted = static_cast<SHORT>(CharsetOfLanguage(m_Language));
    SHORT now = 0;
    if (FAILED(f->get_Charset(&now)) || now != wanted) f->put_Charset(wanted);
}

void CMenuItem::Install(WatchedFont& slot, IFontDisp* font) {
    if (slot.font.get() == font) {
        Trap([&] { ApplyCharset(font); });
        return;
    }
    Uninstall(slot);
    if (!font) return;
    slot.font = font;
    Trap([&] {
        auto container = slot.font.As<IConnectionPointContainer>(IID_IConnectionPointContainer);
        if (!container || !m_sink) return;
        ComPtr<IConnectionPoint> point;
        if (FAILED(container->FindConnectionPoint(IID_IPropertyNotifySink, point.put()))) return;
        DWORD cookie = 0;
        if (FAILED(point->Advise(m_sink, &cookie))) return;
        slot.point = point;
        slot.cookie = cookie;
    });
    Trap([&] { ApplyCharset(font); });
}

void CMenuItem::Uninstall(WatchedFont& slot) noexcept {
    Trap([&] {
        if (slot.point && slot.cookie) slot.point->Unadvise(slot.cookie);
    });
    slot.point.Reset();
    slot.cookie = 0;
    slot.font.Reset();
    slot.read = false;
}

}  // namespace quillon
