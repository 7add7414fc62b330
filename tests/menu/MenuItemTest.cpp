// The menu item record: text parsing, the host's lets, font change
// notification, and its face through IDispatch.
#include <gtest/gtest.h>
#include "control/QuillonInterfaces.h"
#include "control/ole/TypeLibrary.h"
#include "tests/control/Automation.h"
#include "tests/menu/MenuFixture.h"

using namespace quillon;
using namespace quillon::test;

namespace {

struct Parsed {
    const wchar_t* text;
    const wchar_t* caption;
    const wchar_t* shortcut;
    LONG accessKey;
};

TEST(MenuItemRecord, MenuTextSplitsIntoCaptionShortcutAndAccessKey) {
    const Parsed cases[] = {
        {L"&File", L"&File", L"", 70},
        {L"Save &As...\tCtrl+S", L"Save &As...", L"Ctrl+S", 65},
        {L"E&xit", L"E&xit", L"", 88},
        {L"Exit&", L"Exit&", L"", 0},
        {L"&&Tools", L"&&Tools", L"", 38},
        {L"Two\tTabs\tHere", L"Two", L"Tabs\tHere", 0},
        {L"", L"", L"", 0},
    };
    auto item = CMenuItem::Create();
    for (const auto& c : cases) {
        item->SetMenuText(c.text);
        EXPECT_EQ(item->MenuText(), c.text);
        EXPECT_EQ(item->Caption(), c.caption) << static_cast<const void*>(c.text);
        EXPECT_EQ(item->ShortcutText(), c.shortcut);
        EXPECT_EQ(item->AccessKey(), c.accessKey);
    }
}

TEST(MenuItemRecord, StartsWithItsInitialValuesAndNoFonts) {
    auto item = CMenuItem::Create();
    EXPECT_EQ(item->PictureBackColor(), 0xC0C0C0u);
    EXPECT_FALSE(item->Dirty());
    EXPECT_EQ(item->ItemData(), 0);
    IFontDisp* font = reinterpret_cast<IFontDisp*>(1);
    EXPECT_EQ(item->get_CaptionFont(&font), S_OK);
    EXPECT_EQ(font, nullptr);
    font = reinterpret_cast<IFontDisp*>(1);
    EXPECT_EQ(item->get_ShortcutFont(&font), S_OK);
    EXPECT_EQ(font, nullptr);
    IPictureDisp* pic = reinterpret_cast<IPictureDisp*>(1);
    EXPECT_EQ(item->get_Picture(&pic), S_OK);
    EXPECT_EQ(pic, nullptr);
}

TEST(MenuItemRecord, HostLetsFollowTheirRules) {
    auto item = CMenuItem::Create();
    // Tooltip text is trimmed.
    BSTR tip = SysAllocString(L"   Opens a file  ");
    EXPECT_EQ(item->put_TooltTipText(&tip), S_OK);
    SysFreeString(tip);
    EXPECT_EQ(item->TooltTipText(), L"Opens a file");
    // Picture background: the same colour changes nothing, another marks the record.
    OLE_COLOR same = 0xC0C0C0;
    item->put_PictureBackColor(&same);
    EXPECT_FALSE(item->Dirty());
    OLE_COLOR other = 0x00FF00;
    item->put_PictureBackColor(&other);
    EXPECT_TRUE(item->Dirty());
    EXPECT_EQ(item->PictureBackColor(), 0x00FF00u);
    // A picture does not mark the record.
    item->SetDirty(false);
    auto pic = MakeBitmapPicture();
    IPictureDisp* p = pic.get();
    EXPECT_EQ(item->putref_Picture(&p), S_OK);
    EXPECT_EQ(item->Picture(), pic.get());
    EXPECT_FALSE(item->Dirty());
    // ItemData: a new value marks, the same one does not.
    item->SetItemData(1005);
    EXPECT_TRUE(item->Dirty());
    item->SetDirty(false);
    item->SetItemData(1005);
    EXPECT_FALSE(item->Dirty());
}

TEST(MenuItemRecord, FontChangesMarkTheRecordAndLanguageResetsTheCharset) {
    auto item = CMenuItem::Create();
    auto caption = MakeFont();
    auto shortcut = MakeFont();
    AsFont(caption.get())->put_Charset(2);
    item->SetCaptionFont(caption.get());
    item->SetShortcutFont(shortcut.get());
    SHORT charset = -1;
    AsFont(caption.get())->get_Charset(&charset);
    EXPECT_EQ(charset, 0);  // installing applies the language's charset

    item->SetDirty(false);
    AsFont(caption.get())->put_Bold(TRUE);
    EXPECT_TRUE(item->Dirty());
    item->SetDirty(false);
    AsFont(shortcut.get())->put_Italic(TRUE);
    EXPECT_TRUE(item->Dirty());

    AsFont(caption.get())->put_Charset(128);
    AsFont(shortcut.get())->put_Charset(129);
    EXPECT_EQ(item->put_Language(qlFrench), S_OK);
    qlLanguage language = qlEnglish;
    item->get_Language(&language);
    EXPECT_EQ(language, qlFrench);
    AsFont(caption.get())->get_Charset(&charset);
    EXPECT_EQ(charset, 0);
    AsFont(shortcut.get())->get_Charset(&charset);
    EXPECT_EQ(charset, 0);
    item->put_Language(static_cast<qlLanguage>(77));  // no range check
    item->get_Language(&language);
    EXPECT_EQ(static_cast<LONG>(language), 77);

    // A replaced font no longer reaches the record.
    item->SetCaptionFont(nullptr);
    item->SetDirty(false);
    AsFont(caption.get())->put_Bold(FALSE);
    EXPECT_FALSE(item->Dirty());
    EXPECT_EQ(item->CaptionFont(), nullptr);
}

TEST(MenuItemRecord, ReleasingTheRecordStopsListeningToItsFonts) {
    auto font = MakeFont();
    {
        auto item = CMenuItem::Create();
        item->SetCaptionFont(font.get());
        item->SetShortcutFont(font.get());
    }
    // The record is gone; a change must not reach it.
    EXPECT_EQ(AsFont(font.get())->put_Bold(TRUE), S_OK);
    font->AddRef();
    EXPECT_EQ(font->Release(), 1u);  // only this test holds the font
}

TEST(MenuItemRecord, HostSeesTheDualInterfaceWithItsDispids) {
    auto item = CMenuItem::Create();
    item->SetMenuText(L"&Open...\tCtrl+O");
    item->SetPosition(3);
    item->SetIsLast(true);
    item->SetMenuId(102);
    item->SetCaptionTextWidth(41);
    auto font = MakeFont();
    item->SetCaptionFont(font.get());
    ComPtr<IDispatch> disp = ComPtr<CMenuItem>(item).As<IDispatch>(IID_IDispatch);
    ASSERT_TRUE(disp);
    ComPtr<_CMenuItem> dual = ComPtr<CMenuItem>(item).As<_CMenuItem>(IID__CMenuItem);
    EXPECT_TRUE(dual);
    Automation a(disp.get());
    const std::pair<const wchar_t*, DISPID> ids[] = {
        {L"TooltTipText", MenuItemDispid::TooltTipText}, {L"CaptionFont", MenuItemDispid::CaptionFont},
        {L"ShortcutFont", MenuItemDispid::ShortcutFont}, {L"HasSubMenus", MenuItemDispid::HasSubMenus},
        {L"IsTopLevel", MenuItemDispid::IsTopLevel},     {L"IsSeparator", MenuItemDispid::IsSeparator},
        {L"ShortcutText", MenuItemDispid::ShortcutText}, {L"Caption", MenuItemDispid::Caption},
        {L"Disabled", MenuItemDispid::Disabled},         {L"Checked", MenuItemDispid::Checked},
        {L"hwnd", MenuItemDispid::hwnd},                 {L"hMenu", MenuItemDispid::hMenu},
        {L"MenuId", MenuItemDispid::MenuId},             {L"ParentMenuId", MenuItemDispid::ParentMenuId},
        {L"Picture", MenuItemDispid::Picture},           {L"PictureBackColor", MenuItemDispid::PictureBackColor},
        {L"MenuText", MenuItemDispid::MenuText},         {L"ShortcutTextWidth", MenuItemDispid::ShortcutTextWidth},
        {L"ShortcutTextHeight", MenuItemDispid::ShortcutTextHeight},
        {L"CaptionTextWidth", MenuItemDispid::CaptionTextWidth},
        {L"CaptionTextHeight", MenuItemDispid::CaptionTextHeight},
        {L"Position", MenuItemDispid::Position},         {L"IsFirst", MenuItemDispid::IsFirst},
        {L"IsLast", MenuItemDispid::IsLast},             {L"Language", MenuItemDispid::Language},
    };
    for (const auto& [name, id] : ids) EXPECT_EQ(a.Id(name), id);

    const Variant caption = a.Get(L"Caption");
    const Variant shortcut = a.Get(L"ShortcutText");
    ASSERT_EQ(V_VT(&caption.v), VT_BSTR);
    EXPECT_EQ(std::wstring(V_BSTR(&caption.v)), L"&Open...");
    EXPECT_EQ(std::wstring(V_BSTR(&shortcut.v)), L"Ctrl+O");
    EXPECT_EQ(AsLong(a.Get(L"Position")), 3);
    EXPECT_EQ(AsLong(a.Get(L"MenuId")), 102);
    EXPECT_EQ(AsLong(a.Get(L"CaptionTextWidth")), 41);
    EXPECT_EQ(AsLong(a.Get(L"IsLast")), -1);
    EXPECT_EQ(AsLong(a.Get(L"IsFirst")), 0);
    EXPECT_EQ(AsLong(a.Get(L"PictureBackColor")), 0xC0C0C0);
    Variant f = a.Get(L"CaptionFont");
    ASSERT_EQ(V_VT(&f.v), VT_DISPATCH);
    EXPECT_EQ(static_cast<IUnknown*>(V_DISPATCH(&f.v)), static_cast<IUnknown*>(font.get()));

    // The host's lets through IDispatch.
    EXPECT_EQ(a.Let(L"TooltTipText", Variant::String(L"  tip  ")), S_OK);
    EXPECT_EQ(item->TooltTipText(), L"tip");
    EXPECT_EQ(a.Let(L"PictureBackColor", Color(0x123456)), S_OK);
    EXPECT_EQ(item->PictureBackColor(), 0x123456u);
    EXPECT_EQ(a.Let(L"Language", Variant::Long(qlGerman)), S_OK);
    EXPECT_EQ(item->Language(), qlGerman);
    auto pic = MakeBitmapPicture();
    Variant pv;
    V_VT(&pv.v) = VT_DISPATCH;
    V_DISPATCH(&pv.v) = pic.get();
    pic->AddRef();
    EXPECT_EQ(a.Set(L"Picture", pv), S_OK);
    EXPECT_EQ(item->Picture(), pic.get());
}

TEST(MenuItemRecord, TheControlsOwnSettersAreOutOfTheHostsReach) {
    auto item = CMenuItem::Create();
    item->SetMenuText(L"Keep");
    ComPtr<IDispatch> disp = ComPtr<CMenuItem>(item).As<IDispatch>(IID_IDispatch);
    for (const wchar_t* name : {L"ItemData", L"AccessKey", L"AppliedFlags", L"Dirty", L"SetMenuText"}) {
        DISPID id = 0;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        EXPECT_NE(disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    }
    // Read-only members refuse a write.
    Automation a(disp.get());
    EXPECT_NE(a.Invoke(MenuItemDispid::Caption, DISPATCH_PROPERTYPUT, {Variant::String(L"x")}), S_OK);
    EXPECT_NE(a.Invoke(MenuItemDispid::MenuText, DISPATCH_PROPERTYPUT, {Variant::String(L"x")}), S_OK);
    EXPECT_NE(a.Invoke(MenuItemDispid::Position, DISPATCH_PROPERTYPUT, {Variant::Long(4)}), S_OK);
    auto font = MakeFont();
    Variant fv;
    V_VT(&fv.v) = VT_DISPATCH;
    V_DISPATCH(&fv.v) = font.get();
    font->AddRef();
    EXPECT_NE(a.Invoke(MenuItemDispid::CaptionFont, DISPATCH_PROPERTYPUTREF, {fv}), S_OK);
    EXPECT_EQ(item->MenuText(), L"Keep");
    EXPECT_EQ(item->CaptionFont(), nullptr);
    // The class is not creatable by hosts.
    ITypeInfo* coclass = typelib::InfoOf(CLSID_CMenuItem);
    ASSERT_NE(coclass, nullptr);
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&ta), S_OK);
    EXPECT_EQ(ta->typekind, TKIND_COCLASS);
    EXPECT_EQ(ta->wTypeFlags & TYPEFLAG_FCANCREATE, 0);
    coclass->ReleaseTypeAttr(ta);
}

TEST(CleanCaption, KeysOfPicturesAndHelp) {
    EXPECT_EQ(Quillon::CleanCaption(L"Save &As...\tCtrl+Shift+S"), L"SAVE AS");
    EXPECT_EQ(Quillon::CleanCaption(L"&Open..."), L"OPEN");
    EXPECT_EQ(Quillon::CleanCaption(L"Delete\tDel"), L"DELETE\tDEL");
    EXPECT_EQ(Quillon::CleanCaption(L"Zoom+"), L"ZOOM+");
    EXPECT_EQ(Quillon::CleanCaption(L"  &Print  "), L"PRINT");
    EXPECT_EQ(Quillon::CleanCaption(L""), L"");
    EXPECT_EQ(Quillon::CleanCaption(L"+"), L"+");
}

}  // namespace
