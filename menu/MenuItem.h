#pragma once
// CMenuItem: the record of one menu item the control took over. Hosts see
// it through _CMenuItem in the events; the control fills it through the
// library-only setters below, which belong to no interface.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <string>
#include "control/QuillonInterfaces.h"
#include "control/ole/ComPtr.h"
#include "control/ole/DualDispatch.h"
#include "menu/AccessibleName.h"
#include "menu/FontProperties.h"
#include "render/PictureMetrics.h"

namespace quillon {

class CMenuItem final : public DualDispatch<_CMenuItem> {
public:
    // A new record with every field at its initial value and no fonts.
    static ComPtr<CMenuItem> Create();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    // (IDispatch comes from DualDispatch, answered from the type library.)

    // _CMenuItem
    STDMETHODIMP get_TooltTipText(BSTR* value) override;
    STDMETHODIMP put_TooltTipText(BSTR* value) override;
    STDMETHODIMP get_CaptionFont(IFontDisp** value) override;
    STDMETHODIMP get_ShortcutFont(IFontDisp** value) override;
    STDMETHODIMP get_HasSubMenus(VARIANT_BOOL* value) override;
    STDMETHODIMP get_IsTopLevel(VARIANT_BOOL* value) override;
    STDMETHODIMP get_IsSeparator(VARIANT_BOOL* value) override;
    STDMETHODIMP get_ShortcutText(BSTR* value) override;
    STDMETHODIMP get_Caption(BSTR* value) override;
    STDMETHODIMP get_Disabled(VARIANT_BOOL* value) override;
    STDMETHODIMP get_Checked(VARIANT_BOOL* value) override;
    STDMETHODIMP get_hwnd(LONG* value) override;
    STDMETHODIMP get_hMenu(LONG* value) override;
    STDMETHODIMP get_MenuId(LONG* value) override;
    STDMETHODIMP get_ParentMenuId(LONG* value) override;
    STDMETHODIMP get_Picture(IPictureDisp** value) override;
    STDMETHODIMP putref_Picture(IPictureDisp** value) override;
    STDMETHODIMP get_PictureBackColor(OLE_COLOR* value) override;
    STDMETHODIMP put_PictureBackColor(OLE_COLOR* value) override;
    STDMETHODIMP get_MenuText(BSTR* value) override;
    STDMETHODIMP get_ShortcutTextWidth(LONG* value) override;
    STDMETHODIMP get_ShortcutTextHeight(LONG* value) override;
    STDMETHODIMP get_CaptionTextWidth(LONG* value) override;
    STDMETHODIMP get_CaptionTextHeight(LONG* value) override;
    STDMETHODIMP get_Position(LONG* value) override;
    STDMETHODIMP get_IsFirst(VARIANT_BOOL* value) override;
    STDMETHODIMP get_IsLast(VARIANT_BOOL* value) override;
    STDMETHODIMP get_Language(qlLanguage* value) override;
    STDMETHODIMP put_Language(qlLanguage value) override;

    // --- library only ----------------------------------------------------
    // Replace a font (null allowed); a font that is installed gets the
    // charset of the record's language.
    void SetCaptionFont(IFontDisp* font);
    void SetShortcutFont(IFontDisp* font);
    // Splits the text into caption and shortcut and finds the access key.
    void SetMenuText(const std::wstring& text);
    void SetHasSubMenus(bool v) { m_HasSubMenus = v; }
    void SetIsTopLevel(bool v) { m_IsTopLevel = v; }
    void SetIsSeparator(bool v) { m_IsSeparator = v; }
    void SetChecked(bool v) { m_Checked = v; }
    void SetDisabled(bool v) { m_Disabled = v; }
    void SetHwnd(LONG v) { m_hwnd = v; }
    void SetUnicodeText(bool v) { m_UnicodeText = v; }
    void SetHMenu(LONG v) { m_hMenu = v; }
    void SetMenuId(LONG v) { m_MenuId = v; }
    void SetParentMenuId(LONG v) { m_ParentMenuId = v; }
    void SetPosition(LONG v) { m_Position = v; }
    void SetIsFirst(bool v) { m_IsFirst = v; }
    void SetIsLast(bool v) { m_IsLast = v; }
    void SetCaptionTextWidth(LONG v) { m_CaptionTextWidth = v; }
    void SetCaptionTextHeight(LONG v) { m_CaptionTextHeight = v; }
    void SetShortcutTextWidth(LONG v) { m_ShortcutTextWidth = v; }
    void SetShortcutTextHeight(LONG v) { m_ShortcutTextHeight = v; }
    LONG AccessKey() const { return m_AccessKey; }
    LONG AppliedFlags() const { return m_AppliedFlags; }
    void SetAppliedFlags(LONG v) { m_AppliedFlags = v; }
    // The menu item type the conversion set, and the bits of it that the
    // conversion added to the host's own type (owner-drawn, right-to-left).
    UINT AppliedType() const { return m_AppliedType; }
    UINT AddedType() const { return m_AddedType; }
    void SetAppliedType(UINT type, UINT added) {
        m_AppliedType = type;
        m_AddedType = added;
    }
    // The item data the host's item had before the conversion replaced it.
    ULONG_PTR HostData() const { return m_HostData; }
    void SetHostData(ULONG_PTR data) { m_HostData = data; }
    // What the host's type and state ask the painters for: a radio check
    // (MFT_RADIOCHECK) and the menu's default item (MFS_DEFAULT).
    bool RadioCheck() const { return (m_AppliedType & MFT_RADIOCHECK) != 0; }
    bool DefaultItem() const { return (static_cast<UINT>(m_AppliedFlags) & MFS_DEFAULT) != 0; }
    // The record's serial: its key is made from it.
    LONG ItemData() const { return m_ItemData; }
    // A different value marks the record for a new conversion.
    void SetItemData(LONG v);
    // The item data of the item once converted: the address of the record's
    // accessible-name block, which holds the menu text for screen readers.
    ULONG_PTR AccessibleData() const noexcept { return m_AccessibleName.Value(); }
    const AccessibleName& AccessibleNameBlock() const noexcept { return m_AccessibleName; }
    bool Dirty() const { return m_Dirty; }
    void SetDirty(bool v) { m_Dirty = v; }
    // The host's lets, for the control's own use (same rules).
    void SetTooltTipText(const std::wstring& text);
    void SetPicture(IPictureDisp* picture) {
        m_PictureMetrics.Reset();
        m_Picture = picture;
    }
    void SetPictureBackColor(OLE_COLOR color);
    void SetLanguage(LONG language);

    // Direct reads for the library.
    const std::wstring& MenuText() const { return m_MenuText; }
    const std::wstring& Caption() const { return m_Caption; }
    const std::wstring& ShortcutText() const { return m_ShortcutText; }
    const std::wstring& TooltTipText() const { return m_TooltTipText; }
    IPictureDisp* Picture() const { return m_Picture.get(); }
    // The picture's type, handle and size in pixels; null without a usable one.
    const PictureMetrics* PictureInfo() const { return m_PictureMetrics.Of(m_Picture.get()); }
    OLE_COLOR PictureBackColor() const { return m_PictureBackColor; }
    IFontDisp* CaptionFont() const { return m_CaptionFont.font.get(); }
    IFontDisp* ShortcutFont() const { return m_ShortcutFont.font.get(); }
    // The fonts' properties as painting needs them. They are read again only
    // after the font says it changed; a font that cannot tell is read every time.
    const FontProperties& CaptionFontProperties() const { return m_CaptionFont.Properties(); }
    const FontProperties& ShortcutFontProperties() const { return m_ShortcutFont.Properties(); }
    LONG Position() const { return m_Position; }
    bool IsFirst() const { return m_IsFirst; }
    bool IsLast() const { return m_IsLast; }
    LONG ParentMenuId() const { return m_ParentMenuId; }
    LONG MenuId() const { return m_MenuId; }
    LONG HMenu() const { return m_hMenu; }
    LONG Hwnd() const { return m_hwnd; }
    // The item's window is a Unicode window: its texts are the program's own
    // Unicode and reach the system as they are. An ANSI window's texts go
    // through the ANSI functions, which read them in the code page of the
    // font's character set, as the ANSI program meant them.
    bool UnicodeText() const { return m_UnicodeText; }
    bool Checked() const { return m_Checked; }
    bool Disabled() const { return m_Disabled; }
    bool IsTopLevel() const { return m_IsTopLevel; }
    bool HasSubMenus() const { return m_HasSubMenus; }
    bool IsSeparator() const { return m_IsSeparator; }
    LONG CaptionTextWidth() const { return m_CaptionTextWidth; }
    LONG CaptionTextHeight() const { return m_CaptionTextHeight; }
    LONG ShortcutTextWidth() const { return m_ShortcutTextWidth; }
    LONG ShortcutTextHeight() const { return m_ShortcutTextHeight; }
    LONG Language() const { return m_Language; }

    // The font charset of a qlLanguage value.
    static SHORT CharsetOfLanguage(LONG language) { (void)language; return 0; }

private:
    class FontSink;
    // One installed font, its change-notification connection, and its
    // properties as last read while connected.
    struct WatchedFont {
        ComPtr<IFontDisp> font;
        ComPtr<IConnectionPoint> point;
        DWORD cookie = 0;
        mutable FontProperties properties;
        mutable bool read = false;

        const FontProperties& Properties() const {
            if (!read || !cookie) {
                properties = FontProperties::Of(font.get());
                read = cookie != 0;
            }
            return properties;
        }
    };

    CMenuItem();
    ~CMenuItem();
    CMenuItem(const CMenuItem&) = delete;
    CMenuItem& operator=(const CMenuItem&) = delete;

    void Install(WatchedFont& slot, IFontDisp* font);
    void Uninstall(WatchedFont& slot) noexcept;
    void ApplyCharset(IFontDisp* font) const;
    void FontChanged() {
        m_Dirty = true;
        m_CaptionFont.read = m_ShortcutFont.read = false;
    }

    LONG m_refs = 1;
    FontSink* m_sink = nullptr;  // owned by its own count; detached at release

    std::wstring m_MenuText;
    ComPtr<IPictureDisp> m_Picture;
    mutable CachedPictureMetrics m_PictureMetrics;
    OLE_COLOR m_PictureBackColor = RGB(192, 192, 192);
    LONG m_Position = 0;
    bool m_IsFirst = false;
    bool m_IsLast = false;
    LONG m_ParentMenuId = 0;
    LONG m_MenuId = 0;
    LONG m_hMenu = 0;
    LONG m_hwnd = 0;
    bool m_UnicodeText = false;
    bool m_Checked = false;
    bool m_Disabled = false;
    std::wstring m_Caption;
    std::wstring m_ShortcutText;
    LONG m_ShortcutTextWidth = 0;
    LONG m_ShortcutTextHeight = 0;
    LONG m_CaptionTextWidth = 0;
    LONG m_CaptionTextHeight = 0;
    LONG m_AccessKey = 0;
    bool m_IsTopLevel = false;
    bool m_HasSubMenus = false;
    bool m_IsSeparator = false;
    std::wstring m_TooltTipText;
    LONG m_AppliedFlags = 0;
    UINT m_AppliedType = 0;
    UINT m_AddedType = 0;
    ULONG_PTR m_HostData = 0;
    LONG m_ItemData = 0;
    AccessibleName m_AccessibleName;
    bool m_Dirty = false;
    LONG m_Language = 0;

    WatchedFont m_CaptionFont;
    WatchedFont m_ShortcutFont;
};

// The 32-bit value of a handle as the record keeps it, and back.
inline LONG HandleValue(const void* handle) { return static_cast<LONG>(reinterpret_cast<LONG_PTR>(handle)); }
template <class H>
H HandleOf(LONG value) { return reinterpret_cast<H>(static_cast<LONG_PTR>(value)); }

}  // namespace quillon
