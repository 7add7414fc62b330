#pragma once
// _Quillon with every member answering E_NOTIMPL, for test controls that
// implement only the members their tests call.
#include "control/QuillonInterfaces.h"

namespace quillon::test {

struct QuillonNotImplemented : public _Quillon {
    STDMETHODIMP AddMessage(BSTR, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP AddCompositeMessage(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP RemoveMessage(BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP GetCleanCaption(BSTR, BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP ShowAboutBox() override { return E_NOTIMPL; }
    STDMETHODIMP GetMenuCaptionFont(IFontDisp**) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenuCaptionFont(IFontDisp*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMenuShortcutFont(IFontDisp**) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenuShortcutFont(IFontDisp*) override { return E_NOTIMPL; }
    STDMETHODIMP get_AutoShowHelp(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_AutoShowHelp(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_CheckMark(IPictureDisp**) override { return E_NOTIMPL; }
    STDMETHODIMP putref_CheckMark(IPictureDisp*) override { return E_NOTIMPL; }
    STDMETHODIMP SetImageList(IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP GetImageList(IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP get_HighlightStyle(qlHighlight*) override { return E_NOTIMPL; }
    STDMETHODIMP put_HighlightStyle(qlHighlight) override { return E_NOTIMPL; }
    STDMETHODIMP get_MenuBorder(qlBorder*) override { return E_NOTIMPL; }
    STDMETHODIMP put_MenuBorder(qlBorder) override { return E_NOTIMPL; }
    STDMETHODIMP GetDefaultPicture(BSTR, IPictureDisp**) override { return E_NOTIMPL; }
    STDMETHODIMP GetDefaultPictureEx(BSTR, qlLanguage, IPictureDisp**) override { return E_NOTIMPL; }
    STDMETHODIMP get_UseCustomColors(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_UseCustomColors(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_MenuBackground(OLE_COLOR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_MenuBackground(OLE_COLOR) override { return E_NOTIMPL; }
    STDMETHODIMP get_BitmapBackground(OLE_COLOR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_BitmapBackground(OLE_COLOR) override { return E_NOTIMPL; }
    STDMETHODIMP get_MenuBarBackground(OLE_COLOR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_MenuBarBackground(OLE_COLOR) override { return E_NOTIMPL; }
    STDMETHODIMP get_TextColor(OLE_COLOR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_TextColor(OLE_COLOR) override { return E_NOTIMPL; }
    STDMETHODIMP get_DisabledTextColor(OLE_COLOR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_DisabledTextColor(OLE_COLOR) override { return E_NOTIMPL; }
    STDMETHODIMP get_HighlightedTextColor(OLE_COLOR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_HighlightedTextColor(OLE_COLOR) override { return E_NOTIMPL; }
    STDMETHODIMP get_MenuHighlight(OLE_COLOR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_MenuHighlight(OLE_COLOR) override { return E_NOTIMPL; }
    STDMETHODIMP get_MenuHighlightBorder(OLE_COLOR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_MenuHighlightBorder(OLE_COLOR) override { return E_NOTIMPL; }
    STDMETHODIMP get_TootipBackground(OLE_COLOR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_TootipBackground(OLE_COLOR) override { return E_NOTIMPL; }
    STDMETHODIMP get_TootipTextColor(OLE_COLOR*) override { return E_NOTIMPL; }
    STDMETHODIMP put_TootipTextColor(OLE_COLOR) override { return E_NOTIMPL; }
    STDMETHODIMP get_Language(qlLanguage*) override { return E_NOTIMPL; }
    STDMETHODIMP put_Language(qlLanguage) override { return E_NOTIMPL; }
    STDMETHODIMP get_RightToLeft(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_RightToLeft(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_ShowTooltip(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_ShowTooltip(VARIANT_BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP get_TootipStyle(qlTooltipStyle*) override { return E_NOTIMPL; }
    STDMETHODIMP put_TootipStyle(qlTooltipStyle) override { return E_NOTIMPL; }
    STDMETHODIMP get_ShowTootipTitle(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP put_ShowTootipTitle(VARIANT_BOOL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMeanColor(LONG, LONG, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP CaptureScreen(IPictureDisp**) override { return E_NOTIMPL; }
    STDMETHODIMP get_BackgroundPicture(IPictureDisp**) override { return E_NOTIMPL; }
    STDMETHODIMP putref_BackgroundPicture(IPictureDisp*) override { return E_NOTIMPL; }
    STDMETHODIMP get_ColorScheme(qlColorScheme*) override { return E_NOTIMPL; }
    STDMETHODIMP put_ColorScheme(qlColorScheme) override { return E_NOTIMPL; }
};

}  // namespace quillon::test
