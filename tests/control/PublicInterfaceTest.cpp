// The control's properties and methods as an automation host calls them:
// stored values, compare-first setters, notifications and the dirty flag,
// tooltips, languages, the background picture, help texts, errors.
#include <windows.h>
#include <commctrl.h>
#include <olectl.h>
#include <thread>
#include "control/AboutBox.h"
#include "tests/control/AutomatedControl.h"

using namespace quillon;
using namespace quillon::test;

namespace {

struct PublicInterface : AutomatedControl {
    void SetUp() override { Start(); }
    void ClearDirty() {
        SaveToClearDirty();
        changed().clear();
    }
};

LONG ExpectedUserLanguage() {
    const LONG l = Quillon::LanguageOfLangId(GetUserDefaultLangID());
    return (l == 1 || l == 2 || l == 7 || l == 8) ? 0 : l;
}

TEST_F(PublicInterface, NewInstanceStartsWithTheDocumentedValues) {
    EXPECT_EQ(-1, AsLong(host->Get(L"AutoShowHelp")));
    EXPECT_EQ(1, AsLong(host->Get(L"HighlightStyle")));
    EXPECT_EQ(0, AsLong(host->Get(L"MenuBorder")));
    EXPECT_EQ(ExpectedUserLanguage(), AsLong(host->Get(L"Language")));
    EXPECT_EQ(0, AsLong(host->Get(L"RightToLeft")));
    EXPECT_EQ(0, AsLong(host->Get(L"UseCustomColors")));
    EXPECT_EQ(-1, AsLong(host->Get(L"ShowTooltip")));
    EXPECT_EQ(0, AsLong(host->Get(L"TootipStyle")));
    EXPECT_EQ(0, AsLong(host->Get(L"ShowTootipTitle")));
    Variant pic = host->Get(L"BackgroundPicture");
    EXPECT_EQ(VT_DISPATCH, pic.vt());
    EXPECT_EQ(nullptr, V_DISPATCH(&pic.v));
    Variant list;
    ASSERT_EQ(S_OK, host->Call(L"GetImageList", {}, &list));
    EXPECT_EQ(nullptr, V_DISPATCH(&list.v));
    for (ColorRole role : {ColorRole::MenuBackground, ColorRole::TootipTextColor})
        EXPECT_EQ(0u, control()->CustomColor(role)) << "custom colours start at 0";
    EXPECT_EQ(S_FALSE, IsDirty());
}

struct CompareFirstRow {
    const wchar_t* name;
    DISPID id;
    Variant stored;
    Variant changed;
};

TEST_F(PublicInterface, CompareFirstSettersNotifyOnlyOnChange) {
    const std::vector<CompareFirstRow> rows = {
        {L"HighlightStyle", DISPID_HighlightStyle, Variant::Long(1), Variant::Long(4)},
        {L"MenuBorder", DISPID_MenuBorder, Variant::Long(0), Variant::Long(2)},
        {L"RightToLeft", DISPID_RightToLeft, Variant::Bool(false), Variant::Bool(true)},
        {L"ShowTooltip", DISPID_ShowTooltip, Variant::Bool(true), Variant::Bool(false)},
        {L"TootipStyle", DISPID_TootipStyle, Variant::Long(0), Variant::Long(1)},
        {L"ShowTootipTitle", DISPID_ShowTootipTitle, Variant::Bool(false), Variant::Bool(true)},
        {L"UseCustomColors", DISPID_UseCustomColors, Variant::Bool(false), Variant::Bool(true)},
        {L"Language", DISPID_Language, Variant::Long(ExpectedUserLanguage()),
         Variant::Long(ExpectedUserLanguage() == 4 ? 5 : 4)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.name, row.name + wcslen(row.name)));
        ClearDirty();
        ASSERT_EQ(S_OK, host->Let(row.name, row.stored));
        EXPECT_TRUE(changed().empty());
        EXPECT_EQ(S_FALSE, IsDirty());
        ASSERT_EQ(S_OK, host->Let(row.name, row.changed));
        EXPECT_EQ(std::vector<DISPID>{row.id}, changed());
        EXPECT_EQ(S_OK, IsDirty());
        EXPECT_EQ(AsLong(row.changed), AsLong(host->Get(row.name)));
        ASSERT_EQ(S_OK, host->Let(row.name, row.changed));
        EXPECT_EQ(1u, changed().size()) << "the same value again";
    }
    // Enumerations take values outside their range without complaint.
    ASSERT_EQ(S_OK, host->Let(L"HighlightStyle", Variant::Long(12)));
    EXPECT_EQ(12, AsLong(host->Get(L"HighlightStyle")));
    ASSERT_EQ(S_OK, host->Let(L"MenuBorder", Variant::Long(-3)));
    EXPECT_EQ(-3, AsLong(host->Get(L"MenuBorder")));
}

TEST_F(PublicInterface, AutoShowHelpAndCheckMarkNotifyOnEveryWrite) {
    ClearDirty();
    ASSERT_EQ(S_OK, host->Let(L"AutoShowHelp", Variant::Bool(true)));
    ASSERT_EQ(S_OK, host->Let(L"AutoShowHelp", Variant::Bool(true)));
    EXPECT_EQ((std::vector<DISPID>{DISPID_AutoShowHelp, DISPID_AutoShowHelp}), changed());
    EXPECT_EQ(S_OK, IsDirty());
    ASSERT_EQ(S_OK, host->Let(L"AutoShowHelp", Variant::Bool(false)));
    EXPECT_EQ(0, AsLong(host->Get(L"AutoShowHelp")));

    changed().clear();
    ComPtr<IPictureDisp> mark;
    PICTDESC pd{};
    pd.cbSizeofstruct = sizeof pd;
    pd.picType = PICTYPE_BITMAP;
    pd.bmp.hbitmap = CreateBitmap(13, 13, 1, 1, nullptr);
    ASSERT_EQ(S_OK, OleCreatePictureIndirect(&pd, IID_IPictureDisp, TRUE, mark.put_void()));
    ASSERT_EQ(S_OK, host->Set(L"CheckMark", Variant::Object(mark.get(), VT_DISPATCH)));
    ASSERT_EQ(S_OK, host->Set(L"CheckMark", Variant::Object(mark.get(), VT_DISPATCH)));
    EXPECT_EQ((std::vector<DISPID>{DISPID_CheckMark, DISPID_CheckMark}), changed());
    Variant got = host->Get(L"CheckMark");
    EXPECT_EQ(static_cast<IUnknown*>(mark.get()), V_UNKNOWN(&got.v)) << "the reference, not a copy";
}

TEST_F(PublicInterface, HighlightStyleAndMenuBorderRefreshAtRunTimeOnly) {
    int refreshes = control()->ColorRefreshes();
    ASSERT_EQ(S_OK, host->Let(L"HighlightStyle", Variant::Long(9)));
    ASSERT_EQ(S_OK, host->Let(L"MenuBorder", Variant::Long(1)));
    EXPECT_EQ(refreshes + 2, control()->ColorRefreshes());
    ASSERT_EQ(S_OK, host->Let(L"MenuBorder", Variant::Long(1)));
    EXPECT_EQ(refreshes + 2, control()->ColorRefreshes()) << "no change, no refresh";

    q->container.SetUserMode(false);
    refreshes = control()->ColorRefreshes();
    ASSERT_EQ(S_OK, host->Let(L"HighlightStyle", Variant::Long(0)));
    EXPECT_EQ(refreshes, control()->ColorRefreshes());
    EXPECT_EQ(ComputeSystemDefaultColors(0)[ColorRole::MenuHighlight], control()->DefaultColor(ColorRole::MenuHighlight))
        << "defaults are recomputed at design time too";
}

TEST_F(PublicInterface, TooltipSettingsReachTheTooltipWindow) {
    const CTooltip* tip = control()->Tooltip();
    ASSERT_NE(nullptr, tip);
    auto balloon = [&] { return (GetWindowLongA(tip->hwnd(), GWL_STYLE) & TTS_BALLOON) != 0; };
    EXPECT_TRUE(balloon());
    ASSERT_EQ(S_OK, host->Let(L"TootipStyle", Variant::Long(1)));
    EXPECT_FALSE(balloon());
    ASSERT_EQ(S_OK, host->Let(L"TootipStyle", Variant::Long(0)));
    EXPECT_TRUE(balloon());
    ASSERT_EQ(S_OK, host->Let(L"TootipStyle", Variant::Long(5)));
    EXPECT_FALSE(balloon()) << "any other value is a rectangle";
    EXPECT_EQ(5, AsLong(host->Get(L"TootipStyle")));

    EXPECT_TRUE(tip->Active());
    ASSERT_EQ(S_OK, host->Let(L"ShowTooltip", Variant::Bool(false)));
    EXPECT_FALSE(tip->Active());
    ASSERT_EQ(S_OK, host->Let(L"ShowTooltip", Variant::Bool(true)));
    EXPECT_TRUE(tip->Active());

    // ShowTootipTitle is passed by reference.
    VARIANT_BOOL title = VARIANT_TRUE;
    Variant byRef;
    V_VT(&byRef.v) = VT_BYREF | VT_BOOL;
    V_BOOLREF(&byRef.v) = &title;
    ASSERT_EQ(S_OK, host->Let(L"ShowTootipTitle", byRef));
    EXPECT_TRUE(control()->ShowTootipTitle());
}

TEST(Languages, UserLanguageIdentifiers) {
    const std::vector<std::pair<LANGID, LONG>> cases = {
        {0x0404, 7}, {0x0804, 8}, {0x0C04, 8}, {0x0407, 6}, {0x040C, 4}, {0x0410, 3},
        {0x0411, 2}, {0x0412, 1}, {0x0409, 0}, {0x0416, 0}, {0x0C0A, 5}, {0x0809, 0},
    };
    for (const auto& [id, language] : cases) EXPECT_EQ(language, Quillon::LanguageOfLangId(id)) << std::hex << id;
}

TEST_F(PublicInterface, LanguageAutoResolvesAndFarEasternIsStoredAsEnglish) {
    ASSERT_EQ(S_OK, host->Let(L"Language", Variant::Long(3)));
    ASSERT_EQ(S_OK, host->Let(L"Language", Variant::Long(9)));
    EXPECT_EQ(ExpectedUserLanguage(), AsLong(host->Get(L"Language"))) << "never Auto after a write";
    changed().clear();
    ASSERT_EQ(S_OK, host->Let(L"Language", Variant::Long(3)));
    ASSERT_EQ(S_OK, host->Let(L"Language", Variant::Long(2)));  // Japanese, run mode: silently English
    EXPECT_EQ(0, AsLong(host->Get(L"Language")));
    EXPECT_EQ((std::vector<DISPID>{DISPID_Language, DISPID_Language}), changed());
    ASSERT_EQ(S_OK, host->Let(L"Language", Variant::Long(42)));
    EXPECT_EQ(42, AsLong(host->Get(L"Language"))) << "other values are stored unchanged";
}

// Collects the texts of the first dialog of this thread that shows up, then
// closes it; for the message boxes and the about box.
struct DialogCloser {
    static inline std::wstring caption;
    static inline std::vector<std::wstring> texts;
    static inline bool seen = false;
    static inline DWORD thread = 0;

    static BOOL CALLBACK Child(HWND child, LPARAM) {
        wchar_t buffer[512] = {};
        GetWindowTextW(child, buffer, 512);
        texts.emplace_back(buffer);
        return TRUE;
    }
    static BOOL CALLBACK Top(HWND hwnd, LPARAM) {
        wchar_t cls[64] = {};
        GetClassNameW(hwnd, cls, 64);
        if (seen || std::wstring(cls) != L"#32770" || !IsWindowVisible(hwnd)) return TRUE;
        seen = true;
        wchar_t buffer[256] = {};
        GetWindowTextW(hwnd, buffer, 256);
        caption = buffer;
        EnumChildWindows(hwnd, Child, 0);
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(thread, Top, 0); }

    UINT_PTR timer = 0;
    DialogCloser() {
        caption.clear();
        texts.clear();
        seen = false;
        thread = GetCurrentThreadId();
        timer = SetTimer(nullptr, 0, 50, Tick);
    }
    ~DialogCloser() { KillTimer(nullptr, timer); }
    bool Has(const std::wstring& text) const {
        for (const auto& t : texts)
            if (t.find(text) != std::wstring::npos) return true;
        return false;
    }
};

TEST_F(PublicInterface, FarEasternLanguageShowsAMessageAtDesignTimeOnly) {
    q->container.SetUserMode(false);
    DialogCloser closer;
    ASSERT_EQ(S_OK, host->Let(L"Language", Variant::Long(8)));
    EXPECT_TRUE(closer.seen);
    EXPECT_TRUE(closer.Has(L"Far eastern languages are not supported in this version"));
    EXPECT_EQ(0, AsLong(host->Get(L"Language")));
}

TEST_F(PublicInterface, ShowAboutBoxIsAModalBoxWithTitleDescriptionAndVersion) {
    DialogCloser closer;
    ASSERT_EQ(S_OK, host->Invoke(DISPID_ABOUTBOX, DISPATCH_METHOD, {}));
    ASSERT_TRUE(closer.seen) << "returns only once the box is closed";
    EXPECT_EQ(kAboutBoxCaption, closer.caption);
    const AboutText text = SplitAboutText(L"Quillon\r\nMenu enhancement control for Win32 programs\r\nVersion 1.0");
    EXPECT_TRUE(closer.Has(text.title));
    EXPECT_TRUE(closer.Has(text.description));
    EXPECT_TRUE(closer.Has(L"Version"));
    EXPECT_TRUE(closer.Has(L"OK"));
}

ComPtr<IPictureDisp> MakePicture(PICTDESC& pd) {
    ComPtr<IPictureDisp> picture;
    EXPECT_EQ(S_OK, OleCreatePictureIndirect(&pd, IID_IPictureDisp, TRUE, picture.put_void()));
    return picture;
}

TEST_F(PublicInterface, BackgroundPictureKeepsABitmapSelectedInAMemoryDC) {
    HDC screen = GetDC(nullptr);
    PICTDESC pd{};
    pd.cbSizeofstruct = sizeof pd;
    pd.picType = PICTYPE_BITMAP;
    pd.bmp.hbitmap = CreateCompatibleBitmap(screen, 30, 20);
    ReleaseDC(nullptr, screen);
    auto bitmap = MakePicture(pd);
    ASSERT_EQ(S_OK, host->Set(L"BackgroundPicture", Variant::Object(bitmap.get(), VT_DISPATCH)));
    EXPECT_EQ(std::vector<DISPID>{DISPID_BackgroundPicture}, changed());
    EXPECT_EQ(30, control()->BackgroundWidth());
    EXPECT_EQ(20, control()->BackgroundHeight());
    HDC dc = control()->BackgroundDC();
    ASSERT_NE(nullptr, dc);
    EXPECT_EQ(static_cast<HGDIOBJ>(pd.bmp.hbitmap), GetCurrentObject(dc, OBJ_BITMAP));
    Variant got = host->Get(L"BackgroundPicture");
    EXPECT_EQ(static_cast<IUnknown*>(bitmap.get()), V_UNKNOWN(&got.v));

    ASSERT_EQ(S_OK, host->Set(L"BackgroundPicture", Variant::Object(bitmap.get(), VT_DISPATCH)));
    EXPECT_EQ(1u, changed().size()) << "the very object again does nothing";
    EXPECT_EQ(dc, control()->BackgroundDC());

    // None releases the device context and notifies.
    ASSERT_EQ(S_OK, host->Set(L"BackgroundPicture", Variant::Object(nullptr, VT_DISPATCH)));
    EXPECT_EQ(2u, changed().size());
    EXPECT_EQ(nullptr, control()->BackgroundDC());
    EXPECT_EQ(0, control()->BackgroundWidth());
    EXPECT_EQ(0u, GetObjectType(dc)) << "the memory DC is deleted";
    got = host->Get(L"BackgroundPicture");
    EXPECT_EQ(nullptr, V_DISPATCH(&got.v));
}

TEST_F(PublicInterface, BackgroundPictureFromAnIconIsDrawnOntoABitmap) {
    PICTDESC pd{};
    pd.cbSizeofstruct = sizeof pd;
    pd.picType = PICTYPE_ICON;
    pd.icon.hicon = CopyIcon(LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION)));
    auto icon = MakePicture(pd);
    ASSERT_EQ(S_OK, host->Set(L"BackgroundPicture", Variant::Object(icon.get(), VT_DISPATCH)));
    EXPECT_EQ(GetSystemMetrics(SM_CXICON), control()->BackgroundWidth());
    EXPECT_EQ(GetSystemMetrics(SM_CYICON), control()->BackgroundHeight());
    HDC dc = control()->BackgroundDC();
    ASSERT_NE(nullptr, dc);
    BITMAP bm{};
    ASSERT_NE(0, GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bm, &bm));
    EXPECT_EQ(control()->BackgroundWidth(), bm.bmWidth);
    q->Close();  // the terminate step releases it
    EXPECT_EQ(nullptr, control()->BackgroundDC());
    EXPECT_EQ(nullptr, control()->BackgroundPicture());
}

TEST_F(PublicInterface, BackgroundPictureRejectsAMetafile) {
    HDC meta = CreateMetaFileA(nullptr);
    Rectangle(meta, 0, 0, 10, 10);
    PICTDESC pd{};
    pd.cbSizeofstruct = sizeof pd;
    pd.picType = PICTYPE_METAFILE;
    pd.wmf.hmeta = CloseMetaFile(meta);
    pd.wmf.xExt = 1000;
    pd.wmf.yExt = 1000;
    auto metafile = MakePicture(pd);
    Excep ex;
    EXPECT_EQ(DISP_E_EXCEPTION, host->Set(L"BackgroundPicture", Variant::Object(metafile.get(), VT_DISPATCH), &ex));
    EXPECT_EQ(static_cast<HRESULT>(0x80040000L), ex.Code());
    EXPECT_EQ(L"Invalid picture type", ex.Description());
    EXPECT_EQ(L"", ex.Source());
    EXPECT_TRUE(changed().empty());
    EXPECT_EQ(nullptr, control()->BackgroundDC());
    EXPECT_EQ(0, control()->BackgroundWidth());
    Variant got = host->Get(L"BackgroundPicture");
    EXPECT_EQ(static_cast<IUnknown*>(metafile.get()), V_UNKNOWN(&got.v)) << "the rejected picture stays stored";
}

TEST_F(PublicInterface, CaptureScreenAlwaysFails) {
    for (int i = 0; i < 2; ++i) {
        Excep ex;
        Variant result;
        EXPECT_EQ(DISP_E_EXCEPTION, host->Call(L"CaptureScreen", {}, &result, &ex));
        EXPECT_EQ(static_cast<HRESULT>(0x80040000L), ex.Code());
        EXPECT_EQ(L"Quillon", ex.Source());
        EXPECT_EQ(L"Call to undocumented function CaptureScreen", ex.Description());
    }
    IPictureDisp* picture = reinterpret_cast<IPictureDisp*>(1);
    EXPECT_EQ(static_cast<HRESULT>(0x80040000L), control()->CaptureScreen(&picture));
    EXPECT_EQ(nullptr, picture);
}

TEST_F(PublicInterface, HelpMessagesAreKeyedByCleanCaption) {
    ASSERT_EQ(S_OK, host->Call(L"AddMessage", {Variant::String(L"&Open...\tCtrl+O"), Variant::String(L"  Opens a file ")}));
    const std::wstring* text = control()->HostHelpMessage(L"OPEN");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(L"Opens a file", *text);

    Excep ex;
    EXPECT_EQ(DISP_E_EXCEPTION, host->Call(L"AddMessage", {Variant::String(L"open"), Variant::String(L"Other")}, nullptr, &ex));
    EXPECT_EQ(static_cast<HRESULT>(0x80040000L), ex.Code());
    EXPECT_FALSE(ex.Description().empty());
    EXPECT_EQ(L"Opens a file", *control()->HostHelpMessage(L"open")) << "the first text stays";

    ASSERT_EQ(S_OK, host->Call(L"AddCompositeMessage", {Variant::String(L"E&xit|Leaves|the program")}));
    ASSERT_NE(nullptr, control()->HostHelpMessage(L"EXIT"));
    EXPECT_EQ(L"Leaves|the program", *control()->HostHelpMessage(L"EXIT"));
    ASSERT_EQ(S_OK, host->Call(L"AddCompositeMessage", {Variant::String(L"No bar here")}));
    EXPECT_EQ(nullptr, control()->HostHelpMessage(L"NO BAR HERE"));

    ASSERT_EQ(S_OK, host->Call(L"RemoveMessage", {Variant::String(L"&open")}));
    EXPECT_EQ(nullptr, control()->HostHelpMessage(L"OPEN"));
    EXPECT_EQ(S_OK, host->Call(L"RemoveMessage", {Variant::String(L"Never added")}));

    Variant clean;
    ASSERT_EQ(S_OK, host->Call(L"GetCleanCaption", {Variant::String(L" &Save As...\tCtrl+S")}, &clean));
    EXPECT_EQ(L"SAVE AS", clean.Text());
}

TEST_F(PublicInterface, ImageListAndDefaultPictures) {
    auto list = LateBoundObject::Create();
    IDispatch* object = list.get();
    Variant byRef;
    V_VT(&byRef.v) = VT_BYREF | VT_DISPATCH;
    V_DISPATCHREF(&byRef.v) = &object;
    ASSERT_EQ(S_OK, host->Call(L"SetImageList", {byRef}));
    Variant got;
    ASSERT_EQ(S_OK, host->Call(L"GetImageList", {}, &got));
    EXPECT_EQ(static_cast<IDispatch*>(list.get()), V_DISPATCH(&got.v));
    ASSERT_EQ(S_OK, host->Call(L"SetImageList", {Variant::Object(nullptr, VT_DISPATCH)}));
    ASSERT_EQ(S_OK, host->Call(L"GetImageList", {}, &got));
    EXPECT_EQ(nullptr, V_DISPATCH(&got.v));
    EXPECT_TRUE(changed().empty());

    // GetDefaultPicture is GetDefaultPictureEx in the control's language.
    Variant picture, inLanguage, none;
    ASSERT_EQ(S_OK, host->Call(L"GetDefaultPicture", {Variant::String(L"Open")}, &picture));
    EXPECT_EQ(VT_DISPATCH, picture.vt());
    ASSERT_EQ(S_OK, host->Call(L"GetDefaultPictureEx", {Variant::String(L"Open"), host->Get(L"Language")}, &inLanguage));
    EXPECT_EQ(V_DISPATCH(&picture.v), V_DISPATCH(&inLanguage.v));
    ASSERT_EQ(S_OK, host->Call(L"GetDefaultPictureEx", {Variant::String(L"No such command"), Variant::Long(4)}, &none));
    EXPECT_EQ(nullptr, V_DISPATCH(&none.v));
}

TEST_F(PublicInterface, MenuFontsAreKeptByReference) {
    FONTDESC fd{sizeof fd, const_cast<LPOLESTR>(L"Arial"), {120000, 0}, FW_NORMAL, ANSI_CHARSET, FALSE, FALSE, FALSE};
    ComPtr<IFontDisp> font;
    ASSERT_EQ(S_OK, OleCreateFontIndirect(&fd, IID_IFontDisp, font.put_void()));
    ASSERT_EQ(S_OK, host->Call(L"SetMenuCaptionFont", {Variant::Object(font.get(), VT_DISPATCH)}));
    Variant got;
    ASSERT_EQ(S_OK, host->Call(L"GetMenuCaptionFont", {}, &got));
    EXPECT_EQ(static_cast<IUnknown*>(font.get()), V_UNKNOWN(&got.v));
    ASSERT_EQ(S_OK, host->Call(L"SetMenuShortcutFont", {Variant::Object(font.get(), VT_DISPATCH)}));
    ASSERT_EQ(S_OK, host->Call(L"GetMenuShortcutFont", {}, &got));
    EXPECT_EQ(static_cast<IUnknown*>(font.get()), V_UNKNOWN(&got.v));
}

TEST_F(PublicInterface, BadArgumentsGetStandardDispatchErrors) {
    Excep ex;
    EXPECT_EQ(DISP_E_BADPARAMCOUNT, host->Call(L"GetMeanColor", {Variant::Long(1), Variant::Long(2), Variant::Long(3)}));
    HRESULT hr = host->Call(L"GetMeanColor", {Variant::Long(1)});
    EXPECT_TRUE(hr == DISP_E_PARAMNOTOPTIONAL || hr == DISP_E_BADPARAMCOUNT) << std::hex << hr;
    EXPECT_EQ(DISP_E_TYPEMISMATCH, host->Call(L"GetMeanColor", {Variant::Long(1), Variant::String(L"red")}, nullptr, &ex));
    EXPECT_EQ(0u, ex.argErr) << "the second argument, counted from the end";
    EXPECT_EQ(DISP_E_TYPEMISMATCH, host->Let(L"HighlightStyle", Variant::String(L"radial")));
    EXPECT_EQ(1, AsLong(host->Get(L"HighlightStyle")));
    EXPECT_EQ(DISP_E_TYPEMISMATCH, host->Set(L"BackgroundPicture", Variant::String(L"picture.bmp")));
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, host->Invoke(DISPID_CaptureScreen, DISPATCH_PROPERTYPUT, {Variant::Long(1)}));
    // Colours take any integer, system-colour references (negative Longs) included.
    EXPECT_EQ(S_OK, host->Let(L"MenuBackground", Variant::Long(static_cast<LONG>(0x80000005))));
    Variant shortColor;
    V_VT(&shortColor.v) = VT_I2;
    V_I2(&shortColor.v) = 0x1234;
    EXPECT_EQ(S_OK, host->Let(L"TextColor", shortColor));
    EXPECT_EQ(0x1234u, control()->CustomColor(ColorRole::TextColor));
    EXPECT_EQ(0x80000005u, control()->CustomColor(ColorRole::MenuBackground));
}

}  // namespace
