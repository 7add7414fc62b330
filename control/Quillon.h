#pragma once
// The Quillon control: one object per form. It hooks the form's windows,
// receives their menu messages through the shared window procedure and
// routes each one to its handler. The road of a message:
//   SubclassWnd::SharedWindowProc (hook/)
//     -> Quillon::WindowMsgListener (control/QuillonDispatch.cpp)
//       -> the handler (menu/, render/, help/, control/QuillonAttach.cpp)
#include <windows.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>
#include "control/ControlTimers.h"
#include "control/FormLocator.h"
#include "control/QuillonInterfaces.h"
#include "control/ole/OleControl.h"
#include "control/ole/DualDispatch.h"
#include "help/Tooltip.h"
#include "menu/ItemSerialBlock.h"
#include "menu/SystemMenuMetrics.h"
#include "menu/TextMeasurer.h"
#include "render/ColorUtils.h"
#include "render/ColorScheme.h"
#include "render/MenuBarBackground.h"
#include "render/PictureMetrics.h"
#include "hook/Guard.h"
#include "hook/SubclassListener.h"

namespace quillon {

// Creates a Quillon object and runs its UserControl_Initialize.
HRESULT CreateQuillonInstance(IUnknown* outer, REFIID riid, void** ppv);

class CMenuItem;
class ItemFontSelection;
struct FontProperties;

// Why RegisterWindowMenu turned a window down; hosts see the text.
class WindowRefused : public Win32Failure {
public:
    explicit WindowRefused(const wchar_t* why) noexcept : Win32Failure(QUILLON_E_OBJECT), m_why(why) {}
    const wchar_t* why() const noexcept { return m_why; }

private:
    const wchar_t* m_why;
};

class Quillon final : public OleControl, public DualDispatch<_Quillon>, public cSubclassListener {
public:
    Quillon();

    // IUnknown for every base
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return OleControl::QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return OleControl::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return OleControl::Release(); }

    // _Quillon
    STDMETHODIMP RegisterWindowMenu(LONG hWindow, VARIANT* bStop) override;

    // cSubclassListener: the message dispatcher.
    LRESULT WindowMsgListener(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool& bRouteToOriginal) override;

    // Registers (stop false) or unregisters (stop true) a further
    // menu-owning window. The register branch throws on failure.
    void RegisterWindowMenu(HWND hWindow, bool stop);

    // Read-only views for diagnostics and tests.
    HWND OwnerWindow() const { return m_hwndOwner; }
    HWND MDIFrameWindow() const { return m_hwndMDIFrame; }
    HWND MDIClientWindow() const { return m_hwndMDIClient; }
    bool IsAttached() const { return m_bAttached; }
    bool IsFrameHooked() const { return m_bFrameHooked; }
    const std::vector<HWND>& RegisteredWindows() const { return m_colRegistered; }
    const CTooltip* Tooltip() const { return m_Tooltip.get(); }
    HWND StatusBar() const { return m_hwndStatusBar; }
    HMODULE ResourceLibrary() const { return m_hResLib; }
    HWND TimerWindow() const { return m_timers.Window(); }
    int MenuBarRepaints() const { return m_menuBarRepaints; }
    int ColorRefreshes() const { return m_colorRefreshes; }
    bool MenuLoopActive() const { return m_bMenuLoopActive; }
    HWND TooltipShownFor() const { return m_hwndTooltipShownFor; }
    void SetTooltipShownFor(HWND hwnd) { m_hwndTooltipShownFor = hwnd; }
    static int InstanceCount();

private:
    ~Quillon() override;

    // Lifecycle (control/QuillonLifecycle.cpp)
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(IPropertyBag* bag) override;
    void UserControl_WriteProperties(IPropertyBag* bag) override;
    void UserControl_Terminate() override;
    void* QueryControlInterface(REFIID riid) override;

    // Attachment (control/QuillonAttach.cpp)
    void AttachToForm();
    void HookMDIFrame();
    void UnhookMDIFrame();
    void OnMDIActivate(HWND hwnd, WPARAM wParam, LPARAM lParam);
    void StartMenuBarRepaint();
    void m_mdiTimer_Timer();
    void m_NCTimer_Timer();
    static bool InDevelopmentEnvironment() { return false; }
    // A site that came after InitNew or Load (control/QuillonLateSite.cpp),
    // and the steps of such a read that need the site (QuillonPersistence.cpp).
    void SiteArrived() override;
    void CompleteReadWithSite();

    // Hook sets (control/HookSets.cpp)
    void HookMenuMessages(HWND hwnd);
    void UnhookMenuMessages(HWND hwnd) noexcept;
    void HookTooltipWindow(HWND hwnd);
    void UnhookTooltipWindow(HWND hwnd) noexcept;

    // Handlers of the menu model (menu/)
    LRESULT OnInitMenuPopup(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route);
    void OnMeasureItem(WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void PurgeDeadItems();
    void DropItemsOfWindow(HWND hwnd);
    void ReprocessMenuBar(HWND hwnd);
    size_t ItemCount() const;

    // Handlers of the renderer (render/)
    void OnDrawItem(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void OnMenuChar(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void OnInitMenu(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void OnNcMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void ClearBarHighlight(HWND hwnd);
    void TrackHotBarItem(HWND hwnd);
    void GrabScreen();
    void ReleaseScreenCapture();
    void RefreshColors(HWND hwnd);
    void ComputeDefaultColors();
    void DeleteGdiCache() noexcept;

    // Handlers of help and tooltips (help/)
    void OnMenuSelect(HWND hwnd, WPARAM wParam, LPARAM lParam, bool& route, LRESULT& result);
    void FindStatusBar(HWND parent);
    void ClearMenuHelp();
    void RemoveTooltipTools();
    void ShowItemTooltip(HWND hwnd, const CMenuItem& item);

    // Dispatch details (control/QuillonDispatch.cpp)
    void OnActivateApp(WPARAM wParam);
    void OnNotify(LPARAM lParam);

    // Lifecycle state
    HWND m_hwndOwner = nullptr;
    HWND m_hwndMDIFrame = nullptr;
    HWND m_hwndMDIClient = nullptr;
    bool m_bAttached = false;
    bool m_bFrameHooked = false;
    // Attachment that found no site runs once more when one arrives; after a
    // read, with the read's steps that need the site. That read found no
    // RightToLeft: the value is the ambient of the site to come.
    bool m_bAttachAwaitsSite = false;
    bool m_bReadAwaitsSite = false;
    bool m_bRightToLeftFromSite = false;
    std::vector<HWND> m_colRegistered;
    HWND m_hwndStatusBar = nullptr;
    std::unique_ptr<CTooltip> m_Tooltip;
    HMODULE m_hResLib = nullptr;
    bool m_bMenuAnimationRead = false;  // joined the thread's saved setting
    bool m_bInstanceCounted = false;
    std::wstring m_aboutText;

    // Timers on the control's own message-only window.
    ControlTimers m_timers;
    ControlTimer m_mdiTimer;
    ControlTimer m_NCTimer;
    HWND m_hwndHotTrack = nullptr;  // window the hot-tracking timer works for
    int m_menuBarRepaints = 0;
    int m_colorRefreshes = 0;

    // Dispatcher state
    bool m_bMenuLoopActive = false;
    bool m_bHot = false;
    HWND m_hwndTooltipShownFor = nullptr;

    // --- Public interface state and accessors: control/QuillonProperties*.cpp.
public:
    // _Quillon (control/QuillonMethods.cpp)
    STDMETHODIMP AddMessage(BSTR sCaption, BSTR sHelpMessage) override;
    STDMETHODIMP AddCompositeMessage(BSTR sComposite) override;
    STDMETHODIMP RemoveMessage(BSTR sCaption) override;
    STDMETHODIMP GetCleanCaption(BSTR sCaption, BSTR* retVal) override;
    STDMETHODIMP ShowAboutBox() override;
    STDMETHODIMP GetMenuCaptionFont(IFontDisp** retVal) override;
    STDMETHODIMP SetMenuCaptionFont(IFontDisp* aFont) override;
    STDMETHODIMP GetMenuShortcutFont(IFontDisp** retVal) override;
    STDMETHODIMP SetMenuShortcutFont(IFontDisp* aFont) override;
    STDMETHODIMP SetImageList(IDispatch** anImgListControl) override;
    STDMETHODIMP GetImageList(IDispatch** retVal) override;
    STDMETHODIMP GetDefaultPicture(BSTR sCaption, IPictureDisp** retVal) override;
    STDMETHODIMP GetDefaultPictureEx(BSTR sCaption, qlLanguage eLanguage, IPictureDisp** retVal) override;
    STDMETHODIMP GetMeanColor(LONG aColor1, LONG aColor2, LONG* retVal) override;
    STDMETHODIMP CaptureScreen(IPictureDisp** retVal) override;
    // _Quillon properties (control/QuillonProperties.cpp)
    STDMETHODIMP get_AutoShowHelp(VARIANT_BOOL* value) override;
    STDMETHODIMP put_AutoShowHelp(VARIANT_BOOL value) override;
    STDMETHODIMP get_CheckMark(IPictureDisp** value) override;
    STDMETHODIMP putref_CheckMark(IPictureDisp* value) override;
    STDMETHODIMP get_HighlightStyle(qlHighlight* value) override;
    STDMETHODIMP put_HighlightStyle(qlHighlight value) override;
    STDMETHODIMP get_MenuBorder(qlBorder* value) override;
    STDMETHODIMP put_MenuBorder(qlBorder value) override;
    STDMETHODIMP get_Language(qlLanguage* value) override;
    STDMETHODIMP put_Language(qlLanguage value) override;
    STDMETHODIMP get_RightToLeft(VARIANT_BOOL* value) override;
    STDMETHODIMP put_RightToLeft(VARIANT_BOOL value) override;
    STDMETHODIMP get_ShowTooltip(VARIANT_BOOL* value) override;
    STDMETHODIMP put_ShowTooltip(VARIANT_BOOL value) override;
    STDMETHODIMP get_TootipStyle(qlTooltipStyle* value) override;
    STDMETHODIMP put_TootipStyle(qlTooltipStyle value) override;
    STDMETHODIMP get_ShowTootipTitle(VARIANT_BOOL* value) override;
    STDMETHODIMP put_ShowTootipTitle(VARIANT_BOOL* value) override;
    STDMETHODIMP get_BackgroundPicture(IPictureDisp** value) override;
    STDMETHODIMP putref_BackgroundPicture(IPictureDisp* value) override;
    // _Quillon colours (control/QuillonColors.cpp)
    STDMETHODIMP get_UseCustomColors(VARIANT_BOOL* value) override;
    STDMETHODIMP put_UseCustomColors(VARIANT_BOOL value) override;
    STDMETHODIMP get_MenuBackground(OLE_COLOR* value) override;
    STDMETHODIMP put_MenuBackground(OLE_COLOR value) override;
    STDMETHODIMP get_BitmapBackground(OLE_COLOR* value) override;
    STDMETHODIMP put_BitmapBackground(OLE_COLOR value) override;
    STDMETHODIMP get_MenuBarBackground(OLE_COLOR* value) override;
    STDMETHODIMP put_MenuBarBackground(OLE_COLOR value) override;
    STDMETHODIMP get_TextColor(OLE_COLOR* value) override;
    STDMETHODIMP put_TextColor(OLE_COLOR value) override;
    STDMETHODIMP get_DisabledTextColor(OLE_COLOR* value) override;
    STDMETHODIMP put_DisabledTextColor(OLE_COLOR value) override;
    STDMETHODIMP get_HighlightedTextColor(OLE_COLOR* value) override;
    STDMETHODIMP put_HighlightedTextColor(OLE_COLOR value) override;
    STDMETHODIMP get_MenuHighlight(OLE_COLOR* value) override;
    STDMETHODIMP put_MenuHighlight(OLE_COLOR value) override;
    STDMETHODIMP get_MenuHighlightBorder(OLE_COLOR* value) override;
    STDMETHODIMP put_MenuHighlightBorder(OLE_COLOR value) override;
    STDMETHODIMP get_TootipBackground(OLE_COLOR* value) override;
    STDMETHODIMP put_TootipBackground(OLE_COLOR value) override;
    STDMETHODIMP get_TootipTextColor(OLE_COLOR* value) override;
    STDMETHODIMP put_TootipTextColor(OLE_COLOR value) override;
    STDMETHODIMP get_ColorScheme(qlColorScheme* value) override;
    STDMETHODIMP put_ColorScheme(qlColorScheme value) override;
    // The user's app theme or high contrast may have changed: the colours
    // follow when what is painted changes.
    void FollowColorSettings();

    // The value a colour property reads (custom or default; resolved at
    // run time), and the default computed for the role.
    OLE_COLOR ColorProperty(ColorRole role);
    COLORREF DefaultColor(ColorRole role) const { return m_defaultColors[role]; }
    OLE_COLOR CustomColor(ColorRole role) const { return m_customColors[static_cast<int>(role)]; }
    bool UseCustomColors() const { return m_bUseCustomColors; }
    LONG HighlightStyle() const { return m_HighlightStyle; }
    LONG MenuBorder() const { return m_MenuBorder; }
    LONG Language() const { return m_Language; }
    bool AutoShowHelp() const { return m_bAutoShowHelp; }
    bool RightToLeft() const { return m_bRightToLeft; }
    bool ShowTooltip() const { return m_bShowTooltip; }
    LONG TootipStyle() const { return m_TootipStyle; }
    bool ShowTootipTitle() const { return m_bShowTootipTitle; }
    IPictureDisp* CheckMarkPicture() const { return m_CheckMark.get(); }
    IDispatch* ImageList() const { return m_ImageList.get(); }
    // The background picture as the popup painter uses it.
    IPicture* BackgroundPicture() const { return m_BackgroundPicture.get(); }
    // The settings as the menus are painted: while high contrast is on,
    // Plain highlights, no shadow, no background picture and no custom
    // colours, whatever the properties hold.
    const ColorScheme& Scheme() const { return m_colorScheme; }
    LONG PaintedHighlightStyle() const { return m_colorScheme.HighContrast() ? qlHighlightPlain : m_HighlightStyle; }
    LONG PaintedMenuBorder() const {
        return m_colorScheme.HighContrast() && m_MenuBorder == qlBorderFlatWithShadow ? qlBorderFlat : m_MenuBorder;
    }
    IPicture* PaintedBackgroundPicture() const { return m_colorScheme.HighContrast() ? nullptr : BackgroundPicture(); }
    bool PaintsCustomColors() const { return m_bUseCustomColors && !m_colorScheme.HighContrast(); }
    // A colour role as painted: the property's value resolved, or the
    // system's colour for it in high contrast.
    COLORREF PaintedColor(ColorRole role);
    LONG BackgroundWidth() const { return m_lBackgroundWidth; }
    LONG BackgroundHeight() const { return m_lBackgroundHeight; }
    HDC BackgroundDC() const { return m_hBackgroundDC; }
    // The host's help text for a clean caption, if it registered one.
    const std::wstring* HostHelpMessage(const std::wstring& cleanCaption) const;
    // The qlLanguage value of a language identifier, and of the user's.
    static LONG LanguageOfLangId(LANGID id);
    static LONG GetUserLanguage();

private:
    // Compare-first write of a property: nothing when the value is the one
    // stored; otherwise store it, run `refresh` (a failure is skipped) and
    // notify the container.
    template <class T, class Refresh>
    HRESULT ChangeProperty(T& field, T value, DISPID dispid, Refresh&& refresh) {
        if (value == field) return S_OK;
        field = value;
        Trap(refresh);
        PropertyChanged(dispid);
        return S_OK;
    }
    template <class T, class Out>
    static HRESULT ReadProperty(const T& field, Out* value) {
        if (!value) return E_POINTER;
        *value = static_cast<Out>(field);
        return S_OK;
    }
    static HRESULT ReadProperty(const bool& field, VARIANT_BOOL* value) {
        if (!value) return E_POINTER;
        *value = field ? VARIANT_TRUE : VARIANT_FALSE;
        return S_OK;
    }
    HRESULT ReadColor(ColorRole role, OLE_COLOR* value);
    HRESULT WriteColor(ColorRole role, DISPID dispid, OLE_COLOR value);
    // At run time only: recompute colours, caches and menus.
    void FullRefresh();
    void RecomputeColorsAndRefresh();
    void RebuildBitmapBackgroundBrush();
    // Hands the tooltip window its colours, already resolved.
    void SetTooltipColors(COLORREF text, COLORREF back);
    // Forgets the background picture and releases its device context.
    void ReleaseBackgroundPicture() noexcept;
    // Loads the texts of `language` (default pictures and help, help/).
    void LoadLanguageStrings(LONG language);

    bool m_bAutoShowHelp = true;
    ComPtr<IPictureDisp> m_CheckMark;
    ComPtr<IDispatch> m_ImageList;
    LONG m_HighlightStyle = 1;
    LONG m_MenuBorder = 0;
    LONG m_Language = 0;
    bool m_bRightToLeft = false;
    bool m_bUseCustomColors = false;
    OLE_COLOR m_customColors[kColorRoleCount] = {};
    DefaultColors m_defaultColors;
    ColorScheme m_colorScheme;
    MenuBarBackground m_menuBarBackground;
    bool m_bShowTooltip = true;
    LONG m_TootipStyle = 0;
    bool m_bShowTootipTitle = false;
    ComPtr<IPicture> m_BackgroundPicture;
    LONG m_lBackgroundWidth = 0;
    LONG m_lBackgroundHeight = 0;
    HDC m_hBackgroundDC = nullptr;
    HGDIOBJ m_hBackgroundOldObject = nullptr;
    HBITMAP m_hBackgroundIconBitmap = nullptr;  // an icon drawn onto a bitmap
    // Host help texts by upper-case clean caption, in the order added.
    std::vector<std::pair<std::wstring, std::wstring>> m_HelpMessages;

    // --- Default pictures and help texts by language: help/DefaultTables.cpp.
public:
    // The first string identifier of a language's run in the resource library.
    static LONG LanguageStringBase(LONG language);
    // The default help text of a caption in `language` ("" when none); no loading.
    std::wstring GetDefaultHelpText(const std::wstring& caption, LONG language) const;
    // The default picture of a caption in `language` (none without one);
    // loads the language's tables on first use. Shared with the host.
    ComPtr<IPictureDisp> DefaultPictureOf(const std::wstring& caption, LONG language);
    // The stock check mark taken at start-up (null without the library).
    IPictureDisp* StockCheckMark() const { return m_DefaultCheckMark.get(); }
    const class LanguageTables& DefaultTables() const { return *m_languageTables; }

private:
    ComPtr<IPictureDisp> GetDefaultCheckMark();
    struct LanguageTablesDeleter {
        void operator()(class LanguageTables* tables) const noexcept;
    };
    std::unique_ptr<LanguageTables, LanguageTablesDeleter> m_languageTables;
    ComPtr<IPictureDisp> m_DefaultCheckMark;

    // Reading and writing the persisted properties (control/QuillonPersistence.cpp).
    friend struct PropertyPersistence;

    // --- Menu model: item records, collection, scanning, measuring, fonts: menu/.
public:
    // Default fonts (menu/MenuFonts.cpp): the host's, else the system menu
    // font; AddRef'd. Setting one reprocesses the menu bar.
    IFontDisp* MenuCaptionFont();
    void SetMenuCaptionFontObject(IFontDisp* font);
    IFontDisp* MenuShortcutFont();
    void SetMenuShortcutFontObject(IFontDisp* font);
    // The key of pictures, help texts and default tables (menu/CleanCaption.cpp).
    static std::wstring CleanCaption(const std::wstring& caption);
    // The record under `key` ("MENU_" and its ItemData), or null; not AddRef'd.
    class CMenuItem* GetMenuItemByKey(const std::wstring& key) const;
    // The record behind an item's data when the item is one this control
    // converted: a record of this control, in `menu` when the system names
    // the item's menu. Null for the host's own owner-drawn items.
    CMenuItem* RecordOfItem(ULONG_PTR itemData, HMENU menu = nullptr) const;
    // The records in collection order (a snapshot), and their keys.
    std::vector<ComPtr<CMenuItem>> MenuItems() const;
    std::vector<std::wstring> MenuItemKeys() const;
    // The serial number the last new record took.
    LONG ItemSerial() const { return m_lItemSerial; }
    // How often an item was turned into an owner-drawn one, and how often
    // the font cache made a GDI font (for diagnostics).
    int MenuItemConversions() const { return m_menuItemConversions; }
    int CachedFontCreations() const { return m_cachedFontCreations; }

    // Menu fonts. MenuCaptionFont() and MenuShortcutFont() return the
    // default font set by the host or the system menu font (AddRef'd);
    // SetMenuCaptionFontObject() and SetMenuShortcutFontObject() keep the
    // reference and reprocess the menu bar. They and CleanCaption() are
    // defined in menu/ and declared a few lines above while that block stays.
    // The font object describing the system's menu font (not AddRef'd).
    IFontDisp* GetSystemMenuFont(bool refresh);
    // The one cached GDI font for `font` (null: the ambient font) made with
    // character width `width`; owned by the cache, never delete it.
    HFONT GetCachedFont(IFontDisp* font, LONG width, LONG heightHint);
    // The same for a font whose properties were read already.
    HFONT GetCachedFont(const FontProperties& font, LONG width);
    // The cached font for an item's caption or shortcut font, as
    // GetCachedFont(font, 0, ...) gives it, from the properties the record keeps.
    HFONT GetCachedItemFont(const CMenuItem& item, bool shortcut);
    // The painting that has cached fonts selected (render/ItemFontSelection.h);
    // returns the one before.
    ItemFontSelection* SwapFontSelection(ItemFontSelection* selection) {
        return std::exchange(m_fontSelection, selection);
    }
    // Single-line extent in pixels of `text` in `font`, "&" marking an access key.
    SIZE MeasureText(IFontDisp* font, LONG language, const std::wstring& text);

    // CleanCaption(): trimmed, without "&" and ".", shortcut cut off, upper case.
    // Copies Bold, Charset, Italic, Name, Size, Strikethrough, Underline
    // and Weight from `src` to `dest`.
    static void CopyFont(IFontDisp* dest, IFontDisp* src);

    // Column metrics shared with the painters.
    LONG GetMenuBarHeight() const;
    LONG GetMaxCaptionWidth(const CMenuItem& item) const;
    LONG GetMaxShortcutWidth(const CMenuItem& item) const;
    LONG GetPictureColumnWidth(const CMenuItem& item) const;
    LONG GetCheckMarkWidth(const CMenuItem* item) const;
    // SM_CYMENU and SM_CXMENUCHECK as measuring and painting use them.
    // A picture as shown at the DPI painted for (`natural` itself at 96 DPI,
    // else `scratch`); null for none.
    const PictureMetrics* ShownPicture(const PictureMetrics* natural, IPictureDisp* picture,
                                       PictureMetrics& scratch) const;
    const PictureMetrics* ShownPictureOf(const CMenuItem& item, PictureMetrics& scratch) const;
    const PictureMetrics* ShownCheckMark(PictureMetrics& scratch) const {
        return ShownPicture(CheckMarkInfo(), CheckMarkFor(), scratch);
    }
    // The DPI painted for (the form's), and the control's sizes scaled to it.
    const SystemMenuMetrics& MenuMetrics() const { return m_menuMetrics; }
    SystemMenuMetrics& MenuMetrics() { return m_menuMetrics; }
    void RemeasureItem(CMenuItem& item);
    // After the DPI painted for changed: fonts, pictures and metrics are
    // taken again and every item is measured anew at its next opening.
    void FollowDpiChange(HWND hwnd);
    // The item's text read from the menu by position ("" when none).
    static std::wstring GetMenuText(HMENU menu, int position);

    // Menu scanning.
    void ScanMenuBar(HMENU menuBar);
    void RefreshMenuBar(HWND hwnd);

private:
    void ScanPopupMenu(HWND hwnd, HMENU menu, LONG parentId, bool topLevel, bool modify);
    // Removes a record and lets go of its fonts and picture.
    void DropRecord(const std::wstring& key);
    // Gives every item this control converted, in a menu that still exists,
    // its own type and item data back, so the system draws it again: at the
    // control's release, or for `window`'s items when it is unhooked for good.
    void RestoreConvertedItems(HWND window = nullptr);
    // Drops the records of menus that no longer exist. Each opening asks a
    // few menus, taking up where the last one stopped: an opening costs the
    // same however many menus have records, and menus made for one opening
    // are still dropped faster than they come.
    void DropRecordsOfGoneMenus();
    size_t m_nextMenuToCheck = 0;
    ComPtr<CMenuItem> FixMenuItemStyle(HWND hwnd, HMENU menu, LONG parentId, int position, bool topLevel, bool first,
                                       bool last, bool modify);
    void AddToMenuItemCollection(CMenuItem* item);
    CMenuItem* FindMenuItem(HMENU menu, int position) const;
    ComPtr<IPictureDisp> GetItemPicture(const std::wstring& clean, LONG language, bool useDefault);
    ComPtr<IPictureDisp> DefaultPicture(const std::wstring& clean, LONG language);
    // The host's or the default help text of a clean caption.
    std::wstring LookupHelpMessage(const std::wstring& clean, LONG language);
    // The picture drawn for a checked item without one: the host's check
    // mark, else the stock one.
    IPictureDisp* CheckMarkFor() const;
    IPictureDisp* DefaultCheckMark() const;
    // CheckMarkFor()'s type, handle and size; null without a usable one.
    const PictureMetrics* CheckMarkInfo() const { return m_checkMarkMetrics.Of(CheckMarkFor()); }
    // A new font object like the system menu font.
    ComPtr<IFontDisp> NewItemFont();

    struct ItemCollectionDeleter {
        void operator()(class ItemCollection* items) const noexcept;
    };
    // Created when the first record is added.
    std::unique_ptr<ItemCollection, ItemCollectionDeleter> m_colMenuItems;
    ItemSerialBlock m_serialBlock;  // where m_lItemSerial starts
    LONG m_lItemSerial = 1000;
    int m_menuItemConversions = 0;

    ComPtr<IFontDisp> m_MenuCaptionFont;   // none: the system menu font
    ComPtr<IFontDisp> m_MenuShortcutFont;  // none: the system menu font
    ComPtr<IFontDisp> m_SystemMenuFont;
    // What the cached GDI font (m_hCachedFont) was made from.
    struct CachedFontDescription {
        bool valid = false;
        BOOL bold = FALSE;
        SHORT charset = 0;
        BOOL italic = FALSE;
        std::wstring name;
        LONGLONG size = 0;  // CY units
        BOOL strikethrough = FALSE;
        BOOL underline = FALSE;
        SHORT weight = 0;
        LONG width = 0;
        UINT dpi = 0;  // the font's height is for this DPI
    };
    CachedFontDescription m_cachedFontDescription;
    SystemMenuMetrics m_menuMetrics;
    TextMeasurer m_textMeasurer;
    mutable CachedPictureMetrics m_checkMarkMetrics;
    int m_cachedFontCreations = 0;
    ItemFontSelection* m_fontSelection = nullptr;

    // --- Renderer: render/.
public:
    // The shared GDI objects (owned by the control; null until the first
    // refresh at run time): the popup background brush, the picture-column
    // brush and the frame pen.
    HBRUSH MenuBackgroundBrush() const;
    HBRUSH BitmapBackgroundBrush() const;
    HPEN HighlightBorderPen() const;
    // How many shared GDI objects the refreshes made and replaced (deleted).
    int GdiCacheCreations() const { return m_gdiCacheCreations; }
    int GdiCacheDeletions() const { return m_gdiCacheDeletions; }
    // The screens (all monitors) photographed when the menu loop started,
    // for the shadows of Flat with Shadow (null outside it and for other borders).
    IPictureDisp* ScreenCapture() const { return m_ScreenCapture.get(); }
    // The capture as the shadows read it: its bitmap, and the rows of a
    // true-colour capture, each copied out the first time a shadow needs it
    // and kept until the loop ends (no rows for any other capture).
    struct CapturePixels {
        // The capture being read, which the control holds for the loop; null: none.
        IPictureDisp* picture = nullptr;
        // Screen position of the capture's top-left pixel: the virtual
        // screen's, left of or above the primary monitor's with several.
        POINT origin{};
        HBITMAP bitmap = nullptr;
        LONG width = 0, height = 0;
        std::unique_ptr<DWORD[]> bottomUp;  // 0x00RRGGBB, the last row first
        std::vector<bool> rowRead;          // by screen row, top first
    };
    // Hot tracking of the menu bar: whether an item is hot, for which window,
    // and whether the 50 ms re-tracking timer is armed.
    bool IsBarItemHot() const { return m_bHot; }
    HWND HotTrackWindow() const { return m_hwndHotTrack; }
    bool HotTrackTimerArmed() const { return m_NCTimer.Enabled(); }

private:
    // Item painters. OnDrawItem and OnMenuChar: render/ItemDrawing.cpp;
    // popup items: render/PopupItem.cpp; bar items: render/BarItem.cpp.
    // `hideAccessKeys`: the menu was opened with the mouse and the user's
    // keyboard cues are off (ODS_NOACCEL): no underlines.
    void DrawBarItem(CMenuItem& item, HDC hDC, bool selected, LONG cx, LONG cy, bool hideAccessKeys = false);
    void DrawPopupItem(CMenuItem& item, HDC hDC, bool selected, LONG cx, LONG cy, LONG itemTop,
                       bool hideAccessKeys = false);
    // Where the system draws a submenu's arrow after an owner-drawn item:
    // the control draws its own there and keeps the system's out.
    RECT SubmenuArrowCell(const RECT& item) const;
    void DrawItemFrame(HDC hDC, const RECT& rect, bool closeBottom);

    // Popup border, shadows and background tiles (render/PopupFrame.cpp,
    // render/Shadows.cpp, render/BackgroundTiles.cpp).
    void DrawPopupFrame(HDC hDC, const CMenuItem& item, LONG cx, LONG cy, LONG itemTop);
    void DrawRightShadow(HWND hwnd, HDC windowDC, const CMenuItem& item, LONG yFrom, LONG yTo);
    void DrawBottomShadow(HWND hwnd, HDC windowDC, const CMenuItem& item);
    void TileBackground(HDC hDC, LONG x, LONG y, LONG width, LONG height);
    ComPtr<IPictureDisp> m_ScreenCapture;
    CapturePixels m_capturePixels;

    // Hot tracking (render/HotTracking.cpp).
    void HotBarItem(HWND hwnd, HMENU menu, int position);
    void DrawBarFrame(HDC windowDC, const RECT& rect);

    // Deletes what `slot` holds and keeps `fresh` instead.
    template <class Handle>
    void ReplaceCachedObject(Handle& slot, Handle fresh) noexcept;
    int m_gdiCacheCreations = 0;
    int m_gdiCacheDeletions = 0;

    // Cached GDI objects (filled by the renderer)
    HBRUSH m_hBitmapBackgroundBrush = nullptr;
    HBRUSH m_hMenuBackgroundBrush = nullptr;
    HPEN m_hHighlightBorderPen = nullptr;
    HFONT m_hCachedFont = nullptr;
};

}  // namespace quillon
