// The persisted properties of the real control: which keys a save holds
// and in which order, the read defaults of absent keys, skipped values,
// what reading tells the container, and round trips through a property bag
// and through a stream, pictures included.
#include <windows.h>
#include <olectl.h>
#include <commctrl.h>
#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>
#include "hook/SubclassWnd.h"
#include "render/ColorUtils.h"
#include "tests/control/HostedControl.h"
#include "tests/support/Pictures.h"
#include "tests/support/StreamBytes.h"

using namespace quillon;
using namespace quillon::test;

namespace {

struct PictureFacts {
    SHORT type = 0;
    OLE_XSIZE_HIMETRIC cx = 0;
    OLE_YSIZE_HIMETRIC cy = 0;
    COLORREF back = CLR_INVALID;
    COLORREF dot = CLR_INVALID;
};

// `dc`: a device context the bitmap is already selected into, if any.
PictureFacts FactsOf(IUnknown* object, HDC dc = nullptr) {
    PictureFacts f;
    ComPtr<IPicture> pic;
    if (!object || FAILED(object->QueryInterface(IID_IPicture, pic.put_void()))) return f;
    pic->get_Type(&f.type);
    pic->get_Width(&f.cx);
    pic->get_Height(&f.cy);
    OLE_HANDLE handle = 0;
    pic->get_Handle(&handle);
    HDC own = dc ? nullptr : CreateCompatibleDC(nullptr);
    HGDIOBJ old = own ? SelectObject(own, reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(handle))) : nullptr;
    f.back = GetPixel(dc ? dc : own, 0, 0);
    f.dot = GetPixel(dc ? dc : own, 2, 3);
    if (own) {
        SelectObject(own, old);
        DeleteDC(own);
    }
    return f;
}

void ExpectSamePicture(const PictureFacts& want, const PictureFacts& got) {
    EXPECT_EQ(want.type, got.type);
    EXPECT_EQ(want.cx, got.cx);
    EXPECT_EQ(want.cy, got.cy);
    EXPECT_EQ(want.back, got.back);
    EXPECT_EQ(want.dot, got.dot);
}

constexpr ColorRole kRoles[] = {ColorRole::MenuBackground,       ColorRole::BitmapBackground,
                                ColorRole::MenuBarBackground,    ColorRole::TextColor,
                                ColorRole::DisabledTextColor,    ColorRole::HighlightedTextColor,
                                ColorRole::MenuHighlight,        ColorRole::MenuHighlightBorder,
                                ColorRole::TootipBackground,     ColorRole::TootipTextColor};

HRESULT SetColor(Quillon* q, ColorRole role, OLE_COLOR c) {
    switch (role) {
    case ColorRole::MenuBackground: return q->put_MenuBackground(c);
    case ColorRole::BitmapBackground: return q->put_BitmapBackground(c);
    case ColorRole::MenuBarBackground: return q->put_MenuBarBackground(c);
    case ColorRole::TextColor: return q->put_TextColor(c);
    case ColorRole::DisabledTextColor: return q->put_DisabledTextColor(c);
    case ColorRole::HighlightedTextColor: return q->put_HighlightedTextColor(c);
    case ColorRole::MenuHighlight: return q->put_MenuHighlight(c);
    case ColorRole::MenuHighlightBorder: return q->put_MenuHighlightBorder(c);
    case ColorRole::TootipBackground: return q->put_TootipBackground(c);
    case ColorRole::TootipTextColor: return q->put_TootipTextColor(c);
    }
    return E_INVALIDARG;
}

// A sited control that has not been initialised: Load comes next.
struct FreshControl {
    explicit FreshControl(HWND form, ContainerOptions options = {}) : container(form, options) {
        EXPECT_EQ(S_OK, container.Create(QuillonFactory()));
        control = QuillonOf(container);
    }
    Quillon* operator->() const { return control; }
    TestContainer container;
    Quillon* control = nullptr;
};

ComPtr<PropertyBag> SaveOf(HostedControl& q) {
    auto bag = PropertyBag::Create();
    EXPECT_EQ(S_OK, q.container.Save(bag.get()));
    return bag;
}

struct PersistedProperties : ::testing::Test {
    RecordingWindow form;

    // Every property away from its default, both pictures set.
    void SetEverything(Quillon* q) {
        ASSERT_EQ(S_OK, q->put_AutoShowHelp(VARIANT_FALSE));
        ASSERT_EQ(S_OK, q->putref_CheckMark(checkMark.get()));
        ASSERT_EQ(S_OK, q->put_HighlightStyle(qlHighlightDiagonal));
        ASSERT_EQ(S_OK, q->put_MenuBorder(qlBorderFlatWithShadow));
        ASSERT_EQ(S_OK, q->put_UseCustomColors(VARIANT_TRUE));
        for (int i = 0; i < kColorRoleCount; ++i) ASSERT_EQ(S_OK, SetColor(q, kRoles[i], 0x00102030u + i));
        ASSERT_EQ(S_OK, q->put_RightToLeft(VARIANT_TRUE));
        ASSERT_EQ(S_OK, q->put_TootipStyle(qlRectangle));
        VARIANT_BOOL title = VARIANT_TRUE;
        ASSERT_EQ(S_OK, q->put_ShowTootipTitle(&title));
        ASSERT_EQ(S_OK, q->put_Language(qlFrench));
        ASSERT_EQ(S_OK, q->put_ShowTooltip(VARIANT_FALSE));
        ASSERT_EQ(S_OK, q->putref_BackgroundPicture(background.get()));
    }

    // `checkMark` false: the check-mark picture was lost on the way.
    void ExpectEverything(Quillon* q, bool checkMark = true) {
        ASSERT_EQ(RGB(0, 0, 255), checkFacts.dot);
        ASSERT_EQ(RGB(255, 255, 0), backFacts.dot);
        EXPECT_FALSE(q->AutoShowHelp());
        if (checkMark) {
            ExpectSamePicture(checkFacts, FactsOf(q->CheckMarkPicture()));
        } else {
            EXPECT_EQ(nullptr, q->CheckMarkPicture());
        }
        EXPECT_EQ(qlHighlightDiagonal, q->HighlightStyle());
        EXPECT_EQ(qlBorderFlatWithShadow, q->MenuBorder());
        EXPECT_TRUE(q->UseCustomColors());
        for (int i = 0; i < kColorRoleCount; ++i) EXPECT_EQ(0x00102030u + i, q->CustomColor(kRoles[i])) << i;
        EXPECT_TRUE(q->RightToLeft());
        EXPECT_EQ(qlRectangle, q->TootipStyle());
        EXPECT_TRUE(q->ShowTootipTitle());
        EXPECT_EQ(qlFrench, q->Language());
        EXPECT_FALSE(q->ShowTooltip());
        ExpectSamePicture(backFacts, FactsOf(q->BackgroundPicture(), q->BackgroundDC()));
        EXPECT_EQ(q->BackgroundWidth(), 24);
        if (q->Tooltip()) {
            EXPECT_FALSE(q->Tooltip()->BalloonStyle());
        }
    }

    ComPtr<IPictureDisp> checkMark = Dib24Picture(13, 13, RGB(255, 0, 0), RGB(0, 0, 255));
    ComPtr<IPictureDisp> background = Dib24Picture(24, 16, RGB(0, 128, 0), RGB(255, 255, 0));
    // Taken before a control selects the bitmaps into its own device contexts.
    PictureFacts checkFacts = FactsOf(checkMark.get());
    PictureFacts backFacts = FactsOf(background.get());
};

TEST_F(PersistedProperties, NewControlSavesLanguageAndItsBlackCustomColorsOnly) {
    HostedControl q(form.hwnd());
    auto bag = SaveOf(q);
    ASSERT_NE(nullptr, bag->Get(L"Language"));
    EXPECT_EQ(q->Language(), V_I4(&bag->Get(L"Language")->v));
    EXPECT_EQ(nullptr, bag->Get(L"CheckMark"));
    EXPECT_EQ(nullptr, bag->Get(L"BackgroundPicture"));
    for (const wchar_t* key : {L"AutoShowHelp", L"HighlightStyle", L"BorderStyle", L"UseCustomColors", L"RightToLeft",
                               L"TootipStyle", L"ShowTootipTitle", L"ShowTooltip"})
        EXPECT_EQ(nullptr, bag->Get(key)) << key;
    // Custom colours start at 0, unlike the palette's menu colour.
    ASSERT_NE(0u, q->DefaultColor(ColorRole::MenuBackground));
    ASSERT_NE(nullptr, bag->Get(L"MenuBackground"));
    EXPECT_EQ(VT_I4, bag->Get(L"MenuBackground")->vt());
    EXPECT_EQ(0, V_I4(&bag->Get(L"MenuBackground")->v));
    ASSERT_NE(nullptr, bag->Get(L"TootipBackground"));

    ASSERT_EQ(S_OK, q->putref_CheckMark(checkMark.get()));
    ASSERT_EQ(S_OK, q->put_MenuBorder(qlBorderFlat));
    bag = SaveOf(q);
    ASSERT_NE(nullptr, bag->Get(L"CheckMark"));
    EXPECT_TRUE(bag->Get(L"CheckMark")->vt() == VT_DISPATCH || bag->Get(L"CheckMark")->vt() == VT_UNKNOWN);
    ASSERT_NE(nullptr, bag->Get(L"BorderStyle"));
    EXPECT_EQ(qlBorderFlat, V_I4(&bag->Get(L"BorderStyle")->v));
    EXPECT_EQ(nullptr, bag->Get(L"MenuBorder"));
}

TEST_F(PersistedProperties, ColoursEqualToTheirDefaultsReadBackAsSystemColours) {
    auto bag = PropertyBag::Create();
    {
        HostedControl q(form.hwnd());
        // The bar's colour is compared with the popup background's default.
        ASSERT_EQ(S_OK, q->put_MenuBarBackground(q->DefaultColor(ColorRole::MenuBackground)));
        ASSERT_EQ(S_OK, q->put_TextColor(q->DefaultColor(ColorRole::TextColor)));
        ASSERT_EQ(S_OK, q->put_TootipBackground(q->DefaultColor(ColorRole::TootipBackground)));
        ASSERT_EQ(S_OK, q->put_TootipTextColor(q->DefaultColor(ColorRole::TootipTextColor)));
        ASSERT_EQ(S_OK, q->put_MenuBackground(q->DefaultColor(ColorRole::MenuBackground)));
        ASSERT_EQ(S_OK, q.container.Save(bag.get()));
    }
    for (const wchar_t* key : {L"MenuBarBackground", L"TextColor", L"TootipBackground", L"TootipTextColor",
                               L"MenuBackground"})
        EXPECT_EQ(nullptr, bag->Get(key)) << key;
    FreshControl q(form.hwnd());
    ASSERT_EQ(S_OK, q.container.Load(bag.get()));
    EXPECT_EQ(0x80000004u, q->CustomColor(ColorRole::MenuBarBackground));
    EXPECT_EQ(0x80000007u, q->CustomColor(ColorRole::TextColor));
    EXPECT_EQ(0x80000018u, q->CustomColor(ColorRole::TootipBackground));
    EXPECT_EQ(0x80000017u, q->CustomColor(ColorRole::TootipTextColor));
    // The other colours read back as the computed default.
    EXPECT_EQ(q->DefaultColor(ColorRole::MenuBackground), q->CustomColor(ColorRole::MenuBackground));
}

TEST_F(PersistedProperties, RightToLeftIsStoredOnlyAgainstTheContainer) {
    ContainerOptions rtl;
    rtl.rightToLeft = true;
    {
        HostedControl q(form.hwnd(), rtl);
        ASSERT_EQ(S_OK, q->put_RightToLeft(VARIANT_FALSE));
        auto bag = SaveOf(q);
        ASSERT_NE(nullptr, bag->Get(L"RightToLeft"));
        EXPECT_EQ(VARIANT_FALSE, V_BOOL(&bag->Get(L"RightToLeft")->v));
        ASSERT_EQ(S_OK, q->put_RightToLeft(VARIANT_TRUE));
        EXPECT_EQ(nullptr, SaveOf(q)->Get(L"RightToLeft"));
    }
    // Without a stored value the control follows the container.
    auto empty = PropertyBag::Create();
    FreshControl follows(form.hwnd(), rtl);
    ASSERT_EQ(S_OK, follows.container.Load(empty.get()));
    EXPECT_TRUE(follows->RightToLeft());
    FreshControl plain(form.hwnd());
    ASSERT_EQ(S_OK, plain.container.Load(empty.get()));
    EXPECT_FALSE(plain->RightToLeft());
}

TEST_F(PersistedProperties, ReadingMapsKeysAndSkipsWhatItCannotUse) {
    for (LONG farEastern : {qlKorean, qlJapanese, qlChineseTraditional, qlChineseSimplified}) {
        auto bag = PropertyBag::Create();
        bag->Set(L"Language", Variant::Long(farEastern));
        FreshControl q(form.hwnd());
        ASSERT_EQ(S_OK, q.container.Load(bag.get()));
        EXPECT_EQ(qlEnglish, q->Language()) << farEastern;
    }
    auto bag = PropertyBag::Create();
    bag->Set(L"HighlightStyle", Variant::String(L"abc"));
    bag->Set(L"MenuBackground", Variant::String(L"not a colour"));
    bag->Set(L"NoSuchKey", Variant::Long(5));
    bag->Set(L"MenuBorder", Variant::Long(qlBorderFlat));
    bag->Set(L"BorderStyle", Variant::Long(qlBorderFlatWithShadow));
    bag->Set(L"AutoShowHelp", Variant::Bool(false));
    bag->Set(L"TextColor", Variant::Long(0x112233));
    bag->Set(L"Language", Variant::String(L"3"));  // converted
    bag->Set(L"TootipStyle", Variant::Long(qlRectangle));
    FreshControl q(form.hwnd());
    ASSERT_EQ(S_OK, q.container.Load(bag.get()));
    EXPECT_EQ(qlHighlightHorizontalLeftToRight, q->HighlightStyle()) << "kept";
    EXPECT_EQ(0u, q->CustomColor(ColorRole::MenuBackground)) << "kept";
    EXPECT_EQ(qlBorderFlatWithShadow, q->MenuBorder());
    EXPECT_FALSE(q->AutoShowHelp());
    EXPECT_EQ(0x112233u, q->CustomColor(ColorRole::TextColor));
    EXPECT_EQ(qlItalian, q->Language());
    EXPECT_EQ(qlRectangle, q->TootipStyle());
    EXPECT_EQ(nullptr, q->CheckMarkPicture());
    ASSERT_NE(nullptr, q->Tooltip());
    EXPECT_FALSE(q->Tooltip()->BalloonStyle());
}

TEST_F(PersistedProperties, PropertyBagRoundTripGivesBackEveryProperty) {
    auto bag = PropertyBag::Create();
    {
        HostedControl q(form.hwnd());
        SetEverything(q.control);
        ASSERT_EQ(S_OK, q.container.Save(bag.get()));
    }
    EXPECT_EQ(21u, bag->Count());
    FreshControl q(form.hwnd());
    ASSERT_EQ(S_OK, q.container.Load(bag.get()));
    ExpectEverything(q.control);
}

TEST_F(PersistedProperties, KeysAreWrittenAndReadInTheirOrder) {
    auto bag = PropertyBag::Create();
    {
        HostedControl q(form.hwnd());
        SetEverything(q.control);
        ASSERT_EQ(S_OK, q.container.Save(bag.get()));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"AutoShowHelp", L"CheckMark", L"HighlightStyle", L"BorderStyle",
                                         L"UseCustomColors", L"MenuBackground", L"BitmapBackground",
                                         L"MenuBarBackground", L"TextColor", L"DisabledTextColor",
                                         L"HighlightedTextColor", L"MenuHighlight", L"MenuHighlightBorder",
                                         L"RightToLeft", L"TootipStyle", L"ShowTootipTitle", L"TootipBackground",
                                         L"TootipTextColor", L"Language", L"ShowTooltip", L"BackgroundPicture"}),
              bag->writeLog);

    FreshControl q(form.hwnd());
    q.container.notifications().changed.clear();
    ASSERT_EQ(S_OK, q.container.Load(bag.get()));
    // The fields first, then the keys that go through their setters.
    EXPECT_EQ((std::vector<std::wstring>{L"AutoShowHelp", L"HighlightStyle", L"BorderStyle", L"CheckMark",
                                         L"UseCustomColors", L"ColorScheme", L"MenuBackground", L"BitmapBackground",
                                         L"MenuBarBackground", L"TextColor", L"DisabledTextColor",
                                         L"HighlightedTextColor", L"MenuHighlight", L"MenuHighlightBorder",
                                         L"TootipBackground", L"TootipTextColor", L"RightToLeft",
                                         L"BackgroundPicture", L"ShowTooltip", L"Language", L"TootipStyle",
                                         L"ShowTootipTitle"}),
              bag->readLog);
    // Every loaded value differs from a new control's, yet only the setters
    // tell the container about it.
    EXPECT_EQ((std::vector<DISPID>{DISPID_RightToLeft, DISPID_BackgroundPicture, DISPID_ShowTooltip, DISPID_Language,
                                   DISPID_TootipStyle, DISPID_ShowTootipTitle}),
              q.container.notifications().changed);
    ExpectEverything(q.control);
}

TEST_F(PersistedProperties, WrongTypedValuesAreSkipped) {
    auto bag = PropertyBag::Create();
    bag->Set(L"AutoShowHelp", Variant::String(L"not a flag"));
    bag->Set(L"ShowTootipTitle", Variant::String(L"not a flag"));
    bag->Set(L"CheckMark", Variant::Long(1));
    bag->Set(L"BackgroundPicture", Variant::String(L"picture.bmp"));
    bag->Set(L"HighlightStyle", Variant::Long(qlHighlightRadial));  // read after AutoShowHelp
    bag->Set(L"ShowTooltip", Variant::Bool(false));                 // read after BackgroundPicture
    FreshControl q(form.hwnd());
    q.container.notifications().changed.clear();
    ASSERT_EQ(S_OK, q.container.Load(bag.get()));
    EXPECT_TRUE(q->AutoShowHelp());
    EXPECT_FALSE(q->ShowTootipTitle());
    EXPECT_EQ(nullptr, q->CheckMarkPicture()) << "the number 1 is no picture";
    EXPECT_EQ(nullptr, q->BackgroundPicture());
    EXPECT_EQ(qlHighlightRadial, q->HighlightStyle()) << "reading went on";
    EXPECT_FALSE(q->ShowTooltip()) << "reading went on";
    const auto& changed = q.container.notifications().changed;
    EXPECT_EQ(1, std::count(changed.begin(), changed.end(), DISPID_ShowTooltip));
    for (DISPID skipped : {DISPID_ShowTootipTitle, DISPID_BackgroundPicture, DISPID_AutoShowHelp, DISPID_CheckMark})
        EXPECT_EQ(0, std::count(changed.begin(), changed.end(), skipped)) << skipped;
}

TEST_F(PersistedProperties, TheTooltipWindowTakesTheLoadedColours) {
    auto bag = PropertyBag::Create();
    bag->Set(L"UseCustomColors", Variant::Bool(true));
    bag->Set(L"TootipBackground", Variant::Long(static_cast<LONG>(0x80000000u | COLOR_HIGHLIGHT)));
    bag->Set(L"TootipTextColor", Variant::Long(RGB(40, 50, 60)));
    FreshControl q(form.hwnd());
    ASSERT_EQ(S_OK, q.container.Load(bag.get()));
    ASSERT_NE(nullptr, q->Tooltip());
    const HWND tip = q->Tooltip()->hwnd();
    ASSERT_NE(GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_INFOBK));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), static_cast<COLORREF>(SendMessageA(tip, TTM_GETTIPBKCOLOR, 0, 0)))
        << "a system-colour reference becomes its colour";
    EXPECT_EQ(RGB(40, 50, 60), static_cast<COLORREF>(SendMessageA(tip, TTM_GETTIPTEXTCOLOR, 0, 0)));
}

// The stream form of a control with every property set.
std::vector<BYTE> SavedStream(PersistedProperties& test) {
    HostedControl q(test.form.hwnd());
    test.SetEverything(q.control);
    auto persist = q.container.Query<IPersistStreamInit>(IID_IPersistStreamInit);
    ULARGE_INTEGER sizeMax{};
    EXPECT_EQ(S_OK, persist->GetSizeMax(&sizeMax));
    ComPtr<IStream> s;
    EXPECT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, s.put()));
    EXPECT_EQ(S_OK, persist->Save(s.get(), TRUE));
    std::vector<BYTE> bytes = BytesOf(s.get());
    EXPECT_EQ(sizeMax.QuadPart, bytes.size());
    return bytes;
}

HRESULT LoadStream(FreshControl& q, const std::vector<BYTE>& bytes) {
    return q.container.Query<IPersistStreamInit>(IID_IPersistStreamInit)->Load(StreamOf(bytes).get());
}

TEST_F(PersistedProperties, StreamRoundTripAndStreamsThatFailLeaveNoTrace) {
    const std::vector<BYTE> bytes = SavedStream(*this);
    {
        FreshControl q(form.hwnd());
        ASSERT_EQ(S_OK, LoadStream(q, bytes));
        ExpectEverything(q.control);
    }
    // Cut, foreign and empty streams fail; nothing of them is applied (at
    // 60 bytes AutoShowHelp is whole), nothing is hooked, and the
    // container's fallback InitNew attaches as usual.
    ASSERT_GT(bytes.size(), 200u);
    const std::string text = "Quillon settings, as plain text";
    std::vector<std::vector<BYTE>> failing = {{}, std::vector<BYTE>(text.begin(), text.end())};
    for (size_t keep : {size_t{5}, size_t{60}, size_t{90}, bytes.size() / 2, bytes.size() - 1})
        failing.emplace_back(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(keep));
    for (const auto& stream : failing) {
        SCOPED_TRACE(stream.size());
        FreshControl q(form.hwnd());
        EXPECT_TRUE(FAILED(LoadStream(q, stream)));
        EXPECT_TRUE(q->AutoShowHelp());
        EXPECT_EQ(qlHighlightHorizontalLeftToRight, q->HighlightStyle());
        EXPECT_FALSE(SubclassWnd::IsWindowHooked(form.hwnd()));
        EXPECT_EQ(S_OK, q.container.InitNew());
        EXPECT_TRUE(SubclassWnd::IsWindowHooked(form.hwnd()));
    }
}

TEST_F(PersistedProperties, ACheckMarkThatCannotBeLoadedLosesOnlyItself) {
    std::vector<BYTE> bytes = SavedStream(*this);
    // The check mark's record: its name, the value type, the byte count,
    // then the class id, the picture's own header and size, and a .bmp file.
    const wchar_t name[] = L"CheckMark";
    const BYTE* first = reinterpret_cast<const BYTE*>(name);
    const auto at = std::search(bytes.begin(), bytes.end(), first, first + 18);
    ASSERT_NE(bytes.end(), at);
    const size_t bmp = static_cast<size_t>(at - bytes.begin()) + 18 + 2 + 4 + 16 + 8;
    ASSERT_EQ('B', bytes[bmp]);
    ASSERT_EQ('M', bytes[bmp + 1]);
    bytes[bmp] = bytes[bmp + 1] = 'Z';  // no picture format the picture object knows

    FreshControl q(form.hwnd());
    EXPECT_EQ(S_OK, LoadStream(q, bytes)) << "the stream itself is whole";
    ExpectEverything(q.control, false);
}

// Fails every write.
class RefusingBag final : public IPropertyBag {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IPropertyBag) ? this : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR, VARIANT*, IErrorLog*) override { return E_INVALIDARG; }
    STDMETHODIMP Write(LPCOLESTR, VARIANT*) override { return STG_E_ACCESSDENIED; }
};

TEST_F(PersistedProperties, AFailingBagFailsTheSave) {
    HostedControl q(form.hwnd());
    RefusingBag bag;
    EXPECT_EQ(STG_E_ACCESSDENIED, q.container.Save(&bag));
    EXPECT_NE(nullptr, SaveOf(q)->Get(L"Language")) << "a working bag still saves";
}

}  // namespace
