#pragma once
// C++ view of the automation interfaces of QuillonLib. The vtable of each
// dual interface matches its entry in the type library written by
// tools/mktypelib; the DISPIDs here are the ones that table uses.
#include <windows.h>
#include <oaidl.h>
#include <ocidl.h>
#include <olectl.h>
#include "control/Guids.h"

namespace quillon {

// --- _cSubclassListener ---------------------------------------------------
inline constexpr DISPID DISPID_WindowMsgListener = 0x60030000;

// --- _Quillon -------------------------------------------------------------
inline constexpr DISPID DISPID_AddMessage = 0x6003000E;
inline constexpr DISPID DISPID_AddCompositeMessage = 0x6003000F;
inline constexpr DISPID DISPID_RemoveMessage = 0x60030010;
inline constexpr DISPID DISPID_GetCleanCaption = 0x6003001B;
inline constexpr DISPID DISPID_ShowAboutBox = -552;  // DISPID_ABOUTBOX
inline constexpr DISPID DISPID_GetMenuCaptionFont = 0x6003001E;
inline constexpr DISPID DISPID_SetMenuCaptionFont = 0x6003001F;
inline constexpr DISPID DISPID_GetMenuShortcutFont = 0x60030020;
inline constexpr DISPID DISPID_SetMenuShortcutFont = 0x60030021;
inline constexpr DISPID DISPID_AutoShowHelp = 0x6803000C;
inline constexpr DISPID DISPID_CheckMark = 0x6803000B;
inline constexpr DISPID DISPID_SetImageList = 0x60030023;
inline constexpr DISPID DISPID_GetImageList = 0x60030024;
inline constexpr DISPID DISPID_RegisterWindowMenu = 0x60030046;
inline constexpr DISPID DISPID_HighlightStyle = 0x6803000A;
inline constexpr DISPID DISPID_MenuBorder = 0x68030009;
inline constexpr DISPID DISPID_GetDefaultPicture = 0x6003004D;
inline constexpr DISPID DISPID_GetDefaultPictureEx = 0x6003009D;
inline constexpr DISPID DISPID_UseCustomColors = 0x68030008;
inline constexpr DISPID DISPID_MenuBackground = 0x68030007;
inline constexpr DISPID DISPID_BitmapBackground = 0x68030006;
inline constexpr DISPID DISPID_MenuBarBackground = 0x68030005;
inline constexpr DISPID DISPID_TextColor = 0x68030004;
inline constexpr DISPID DISPID_DisabledTextColor = 0x68030003;
inline constexpr DISPID DISPID_HighlightedTextColor = 0x68030002;
inline constexpr DISPID DISPID_MenuHighlight = 0x68030001;
inline constexpr DISPID DISPID_MenuHighlightBorder = 0x68030000;
inline constexpr DISPID DISPID_TootipBackground = 0x6803006A;
inline constexpr DISPID DISPID_TootipTextColor = 0x68030069;
inline constexpr DISPID DISPID_Language = 0x68030068;
inline constexpr DISPID DISPID_RightToLeft = 0x68030063;
inline constexpr DISPID DISPID_ShowTooltip = 0x68030067;
inline constexpr DISPID DISPID_TootipStyle = 0x68030066;
inline constexpr DISPID DISPID_ShowTootipTitle = 0x68030065;
inline constexpr DISPID DISPID_GetMeanColor = 0x60030053;
inline constexpr DISPID DISPID_CaptureScreen = 0x60030062;
inline constexpr DISPID DISPID_BackgroundPicture = 0x68030064;
inline constexpr DISPID DISPID_ColorScheme = 0x6803006B;

// --- __Quillon (events) ---------------------------------------------------
inline constexpr DISPID DISPID_SetMenuItemAttributes = 1;
inline constexpr DISPID DISPID_SetMenuItemSize = 2;
inline constexpr DISPID DISPID_DrawMenuItem = 3;
inline constexpr DISPID DISPID_ShowMenuHelp = 4;
inline constexpr DISPID DISPID_ClearMenuHelp = 5;

// The first object-defined automation error; every error the control
// reports to hosts carries it.
inline constexpr HRESULT QUILLON_E_OBJECT = static_cast<HRESULT>(0x80040000L);

// The enumerations of the library. Their members carry blanks and
// parentheses in the library; here only the values are named.
enum qlHighlight : LONG {
    qlHighlightPlain = 0,
    qlHighlightHorizontalLeftToRight = 1,
    qlHighlightHorizontalRightToLeft = 2,
    qlHighlightHorizontalCenter = 3,
    qlHighlightVerticalTopToBottom = 4,
    qlHighlightVerticalBottomToTop = 5,
    qlHighlightVerticalCenter = 6,
    qlHighlightDiagonal = 7,
    qlHighlightRadial = 8,
    qlHighlightXP = 9,
};
enum qlBorder : LONG { qlBorderNormal = 0, qlBorderFlat = 1, qlBorderFlatWithShadow = 2 };
enum qlTooltipStyle : LONG { qlBalloon = 0, qlRectangle = 1 };
enum qlColorScheme : LONG { qlColorSchemeClassic = 0, qlColorSchemeDark = 1, qlColorSchemeAuto = 2 };
enum qlLanguage : LONG {
    qlEnglish = 0,
    qlKorean = 1,
    qlJapanese = 2,
    qlItalian = 3,
    qlFrench = 4,
    qlSpanish = 5,
    qlGerman = 6,
    qlChineseTraditional = 7,
    qlChineseSimplified = 8,
    qlAuto = 9
};

// The control's dual interface, in library order: each get directly before
// its let or set.
struct _Quillon : public IDispatch {
    virtual HRESULT STDMETHODCALLTYPE AddMessage(BSTR sCaption, BSTR sHelpMessage) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddCompositeMessage(BSTR sComposite) = 0;
    virtual HRESULT STDMETHODCALLTYPE RemoveMessage(BSTR sCaption) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCleanCaption(BSTR sCaption, BSTR* retVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE ShowAboutBox() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMenuCaptionFont(IFontDisp** retVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMenuCaptionFont(IFontDisp* aFont) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMenuShortcutFont(IFontDisp** retVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMenuShortcutFont(IFontDisp* aFont) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AutoShowHelp(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AutoShowHelp(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_CheckMark(IPictureDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_CheckMark(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetImageList(IDispatch** anImgListControl) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetImageList(IDispatch** retVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE RegisterWindowMenu(LONG hWindow, VARIANT* bStop) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HighlightStyle(qlHighlight* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HighlightStyle(qlHighlight value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MenuBorder(qlBorder* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MenuBorder(qlBorder value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultPicture(BSTR sCaption, IPictureDisp** retVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultPictureEx(BSTR sCaption, qlLanguage eLanguage, IPictureDisp** retVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_UseCustomColors(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_UseCustomColors(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MenuBackground(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MenuBackground(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BitmapBackground(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_BitmapBackground(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MenuBarBackground(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MenuBarBackground(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TextColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TextColor(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DisabledTextColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_DisabledTextColor(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_HighlightedTextColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_HighlightedTextColor(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MenuHighlight(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MenuHighlight(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MenuHighlightBorder(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MenuHighlightBorder(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TootipBackground(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TootipBackground(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TootipTextColor(OLE_COLOR* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TootipTextColor(OLE_COLOR value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Language(qlLanguage* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Language(qlLanguage value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_RightToLeft(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_RightToLeft(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ShowTooltip(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ShowTooltip(VARIANT_BOOL value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TootipStyle(qlTooltipStyle* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_TootipStyle(qlTooltipStyle value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ShowTootipTitle(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ShowTootipTitle(VARIANT_BOOL* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMeanColor(LONG aColor1, LONG aColor2, LONG* retVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE CaptureScreen(IPictureDisp** retVal) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_BackgroundPicture(IPictureDisp** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE putref_BackgroundPicture(IPictureDisp* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ColorScheme(qlColorScheme* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ColorScheme(qlColorScheme value) = 0;
};

}  // namespace quillon

// --- _CMenuItem: the menu item record's interface (menu/) ------------------
#include "menu/MenuItemInterface.h"
