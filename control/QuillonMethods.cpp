// The methods of the control's dual interface: host help texts, clean
// captions, default fonts, the image list, default pictures, colour
// arithmetic and the about box.
#include <algorithm>
#include "control/AboutBox.h"
#include "control/Quillon.h"
#include "control/TextConversion.h"
#include "hook/Guard.h"
#include "render/ColorUtils.h"

namespace quillon {
namespace {

std::wstring FromBstr(BSTR s) { return s ? std::wstring(s, SysStringLen(s)) : std::wstring(); }

// Keys of the help texts compare without regard to case.
std::wstring HelpKey(const std::wstring& caption) {
    std::wstring key = Quillon::CleanCaption(caption);
    if (!key.empty()) CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return key;
}

template <class F>
HRESULT Guarded(F&& f) {
    HRESULT hr = S_OK;
    if (!Trap([&] { hr = f(); })) hr = E_UNEXPECTED;
    return hr;
}

}  // namespace

const std::wstring* Quillon::HostHelpMessage(const std::wstring& cleanCaption) const {
    std::wstring key = cleanCaption;
    if (!key.empty()) CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    for (const auto& entry : m_HelpMessages)
        if (entry.first == key) return &entry.second;
    return nullptr;
}

STDMETHODIMP Quillon::AddMessage(BSTR sCaption, BSTR sHelpMessage) {
    return Guarded([&] {
        const std::wstring key = HelpKey(FromBstr(sCaption));
        if (HostHelpMessage(key))
            return ReportError(QUILLON_E_OBJECT, L"Quillon",
                               L"This key is already associated with an element of this collection");
        m_HelpMessages.emplace_back(key, TrimBlanks(FromBstr(sHelpMessage)));
        return S_OK;
    });
}

STDMETHODIMP Quillon::AddCompositeMessage(BSTR sComposite) {
    return Guarded([&] {
        const std::wstring composite = FromBstr(sComposite);
        const size_t bar = composite.find(L'|');
        if (bar == std::wstring::npos) return S_OK;
        BSTR caption = SysAllocStringLen(composite.data(), static_cast<UINT>(bar));
        BSTR text = SysAllocStringLen(composite.data() + bar + 1, static_cast<UINT>(composite.size() - bar - 1));
        HRESULT hr = (caption && text) ? AddMessage(caption, text) : E_OUTOFMEMORY;
        SysFreeString(caption);
        SysFreeString(text);
        return hr;
    });
}

STDMETHODIMP Quillon::RemoveMessage(BSTR sCaption) {
    Trap([&] {
        const std::wstring key = HelpKey(FromBstr(sCaption));
        m_HelpMessages.erase(std::remove_if(m_HelpMessages.begin(), m_HelpMessages.end(),
                                            [&](const auto& entry) { return entry.first == key; }),
                             m_HelpMessages.end());
    });
    return S_OK;
}

STDMETHODIMP Quillon::GetCleanCaption(BSTR sCaption, BSTR* retVal) {
    if (!retVal) return E_POINTER;
    *retVal = nullptr;
    return Guarded([&] {
        const std::wstring clean = CleanCaption(FromBstr(sCaption));
        *retVal = SysAllocStringLen(clean.data(), static_cast<UINT>(clean.size()));
        return *retVal ? S_OK : E_OUTOFMEMORY;
    });
}

STDMETHODIMP Quillon::ShowAboutBox() {
    return Guarded([&] {
        HWND owner = (m_hwndOwner && IsWindow(m_hwndOwner)) ? m_hwndOwner : GetActiveWindow();
        quillon::ShowAboutBox(owner, SplitAboutText(m_aboutText));
        return S_OK;
    });
}

STDMETHODIMP Quillon::GetMenuCaptionFont(IFontDisp** retVal) {
    if (!retVal) return E_POINTER;
    *retVal = nullptr;
    return Guarded([&] {
        *retVal = MenuCaptionFont();
        return S_OK;
    });
}

STDMETHODIMP Quillon::SetMenuCaptionFont(IFontDisp* aFont) {
    return Guarded([&] {
        SetMenuCaptionFontObject(aFont);  // keeps the reference, reprocesses the menu bar
        return S_OK;
    });
}

STDMETHODIMP Quillon::GetMenuShortcutFont(IFontDisp** retVal) {
    if (!retVal) return E_POINTER;
    *retVal = nullptr;
    return Guarded([&] {
        *retVal = MenuShortcutFont();
        return S_OK;
    });
}

STDMETHODIMP Quillon::SetMenuShortcutFont(IFontDisp* aFont) {
    return Guarded([&] {
        SetMenuShortcutFontObject(aFont);
        return S_OK;
    });
}

STDMETHODIMP Quillon::SetImageList(IDispatch** anImgListControl) {
    // Any object is accepted, and nothing here reports an error.
    Trap([&] { m_ImageList = anImgListControl ? *anImgListControl : nullptr; });
    return S_OK;
}

STDMETHODIMP Quillon::GetImageList(IDispatch** retVal) {
    if (!retVal) return E_POINTER;
    *retVal = m_ImageList.get();
    if (*retVal) (*retVal)->AddRef();
    return S_OK;
}

STDMETHODIMP Quillon::GetDefaultPicture(BSTR sCaption, IPictureDisp** retVal) {
    return GetDefaultPictureEx(sCaption, static_cast<qlLanguage>(m_Language), retVal);
}

STDMETHODIMP Quillon::GetDefaultPictureEx(BSTR sCaption, qlLanguage eLanguage, IPictureDisp** retVal) {
    if (!retVal) return E_POINTER;
    *retVal = nullptr;
    Trap([&] { *retVal = DefaultPictureOf(sCaption ? sCaption : L"", eLanguage).Detach(); });
    return S_OK;
}

STDMETHODIMP Quillon::GetMeanColor(LONG aColor1, LONG aColor2, LONG* retVal) {
    if (!retVal) return E_POINTER;
    *retVal = static_cast<LONG>(BlendColors(static_cast<COLORREF>(aColor1), static_cast<COLORREF>(aColor2), 0.5f));
    return S_OK;
}

STDMETHODIMP Quillon::CaptureScreen(IPictureDisp** retVal) {
    if (retVal) *retVal = nullptr;
    return ReportError(QUILLON_E_OBJECT, L"Quillon", L"Call to undocumented function CaptureScreen");
}

}  // namespace quillon
