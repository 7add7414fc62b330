#pragma once
// _CMenuItem: the dual interface of a menu item record as hosts see it in
// the events. The entries stand in the order of the type library (each get
// directly before its let or set); tools/mktypelib builds the library rows
// from the same DISPIDs.
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>
#include "control/QuillonInterfaces.h"  // qlLanguage

namespace quillon {

namespace MenuItemDispid {
inline constexpr DISPID TooltTipText = 0x68030026;
inline constexpr DISPID CaptionFont = 0x6803001B;
inline constexpr DISPID ShortcutFont = 0x6803001A;
inline constexpr DISPID HasSubMenus = 0x68030019;
inline constexpr DISPID IsTopLevel = 0x68030018;
inline constexpr DISPID IsSeparator = 0x68030016;
inline constexpr DISPID ShortcutText = 0x68030013;
inline constexpr DISPID Caption = 0x68030012;
inline constexpr DISPID Disabled = 0x68030011;
inline constexpr DISPID Checked = 0x68030010;
inline constexpr DISPID hwnd = 0x6803000F;
inline constexpr DISPID hMenu = 0x6803000E;
inline constexpr DISPID MenuId = 0x6803000D;
inline constexpr DISPID ParentMenuId = 0x6803000C;
inline constexpr DISPID Picture = 0x6803000B;
inline constexpr DISPID PictureBackColor = 0x6803000A;
inline constexpr DISPID MenuText = 0x68030009;
inline constexpr DISPID ShortcutTextWidth = 0x68030008;
inline constexpr DISPID ShortcutTextHeight = 0x68030007;
inline constexpr DISPID CaptionTextWidth = 0x68030006;
inline constexpr DISPID CaptionTextHeight = 0x68030005;
inline constexpr DISPID Position = 0x68030004;
inline constexpr DISPID IsFirst = 0x68030002;
inline constexpr DISPID IsLast = 0x68030000;
inline constexpr DISPID Language = 0x68030020;
}  // namespace MenuItemDispid

struct _CMenuItem : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE get_TooltTipText(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TooltTipText(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CaptionFont(IFontDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ShortcutFont(IFontDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HasSubMenus(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsTopLevel(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsSeparator(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ShortcutText(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Caption(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Disabled(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Checked(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_hwnd(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_hMenu(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MenuId(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ParentMenuId(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Picture(IPictureDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_Picture(IPictureDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PictureBackColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PictureBackColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MenuText(BSTR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ShortcutTextWidth(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ShortcutTextHeight(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CaptionTextWidth(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CaptionTextHeight(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Position(LONG* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsFirst(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsLast(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Language(qlLanguage* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Language(qlLanguage value) = 0;
};

}  // namespace quillon
