#include "demo/MenuItemAttributes.h"
#include <olectl.h>
#include <string>
#include "control/QuillonInterfaces.h"
#include "demo/ComPtr.h"

namespace demo {
namespace {

// Captions are compared exactly: case and blanks count.
const wchar_t* const kFontCaptions[] = {L"MS Sans Serif", L"Times New Roman", L"Arial", L"Courier",
                                        L"Courier New",   L"FixedSys",        L"MS Serif"};
const wchar_t* const kLanguageCaptions[] = {L"English", L"French", L"German", L"Spanish", L"Italian"};

template <size_t N>
bool OneOf(const std::wstring& caption, const wchar_t* const (&list)[N]) {
    for (const wchar_t* s : list) {
        if (caption == s) return true;
    }
    return false;
}

// Font objects are changed through their dispatch interface, which every
// font object offers.
void PutFontProperty(IFontDisp* font, DISPID id, VARIANT value) {
    if (!font) return;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{&value, &named, 1, 1};
    font->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

void SetItalic(IFontDisp* font) {
    VARIANT v;
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = VARIANT_TRUE;
    PutFontProperty(font, DISPID_FONT_ITALIC, v);
}

void SetFontName(IFontDisp* font, BSTR name) {
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = name;
    PutFontProperty(font, DISPID_FONT_NAME, v);
}

void SetTooltip(quillon::_CMenuItem* item, const std::wstring& text) {
    BSTR s = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    item->put_TooltTipText(&s);
    SysFreeString(s);
}

}  // namespace

void ApplyMenuItemAttributes(IDispatch* menuItem) {
    ComPtr<IDispatch> dispatch(menuItem);
    auto item = dispatch.As<quillon::_CMenuItem>(quillon::IID__CMenuItem);
    if (!item) return;

    VARIANT_BOOL topLevel = VARIANT_FALSE;
    item->get_IsTopLevel(&topLevel);
    if (topLevel == VARIANT_TRUE) {
        ComPtr<IFontDisp> caption, shortcut;
        item->get_CaptionFont(caption.Out());
        item->get_ShortcutFont(shortcut.Out());
        SetItalic(caption.get());
        SetItalic(shortcut.get());
    }

    BSTR text = nullptr;
    item->get_Caption(&text);
    const std::wstring caption = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    if (OneOf(caption, kFontCaptions)) {
        ComPtr<IFontDisp> font;
        item->get_CaptionFont(font.Out());
        SetFontName(font.get(), text);
        SetTooltip(item.get(), L"Set menu font to '" + caption + L"'");
    } else if (OneOf(caption, kLanguageCaptions)) {
        SetTooltip(item.get(), L"Set menu language to '" + caption + L"'");
    } else if (caption == L"Tooltip Properties ...") {
        SetTooltip(item.get(), L"Set properties of menu tips");
    }
    SysFreeString(text);
}

}  // namespace demo
