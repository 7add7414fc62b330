// Colour schemes: the dark palette and its contrast, Auto following the
// user's app theme while running, the dark menu bar, persistence, and high
// contrast painting only the system's colours.
#include <windows.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <set>
#include "render/ColorScheme.h"
#include "tests/control/Automation.h"
#include "tests/menu/MenuFixture.h"
#include "tests/render/Canvas.h"
#include "tests/support/PropertyBag.h"

using namespace quillon;
using namespace quillon::test;

namespace {

// WCAG's contrast ratio of two colours.
double Contrast(COLORREF a, COLORREF b) {
    auto luminance = [](COLORREF c) {
        auto channel = [](int v) {
            const double s = v / 255.0;
            return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(GetRValue(c)) + 0.7152 * channel(GetGValue(c)) + 0.0722 * channel(GetBValue(c));
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ColorScheme, TheDarkPaletteKeepsTextReadableInEveryHighlightStyle) {
    using R = ColorRole;
    const std::pair<R, R> pairs[] = {{R::TextColor, R::MenuBackground},
                                     {R::DisabledTextColor, R::MenuBackground},
                                     {R::HighlightedTextColor, R::MenuHighlight},
                                     {R::TextColor, R::MenuBarBackground},
                                     {R::TootipTextColor, R::TootipBackground}};
    ColorScheme dark;
    dark.Choose(qlColorSchemeDark);
    ColorScheme classic;
    for (LONG style = qlHighlightPlain; style <= qlHighlightXP; ++style) {
        const DefaultColors d = dark.Defaults(style);
        for (const auto& [text, back] : pairs)
            EXPECT_GE(Contrast(d[text], d[back]), 4.5)
                << "style " << style << ": role " << static_cast<int>(text) << " on " << static_cast<int>(back);
        EXPECT_LT(Contrast(d[R::MenuBackground], RGB(0, 0, 0)), 2.0) << "a dark menu, style " << style;
        const DefaultColors c = classic.Defaults(style), system = ComputeSystemDefaultColors(style);
        EXPECT_TRUE(std::equal(std::begin(c.value), std::end(c.value), std::begin(system.value))) << "Classic is today's";
    }
}

// A registry value of the current user, put back as it was.
struct UserValue {
    std::wstring key, name;
    DWORD type = REG_NONE;
    std::vector<BYTE> saved;
    bool existed = false;
    UserValue(const wchar_t* k, const wchar_t* n) : key(k), name(n) {
        DWORD size = 0;
        existed = RegGetValueW(HKEY_CURRENT_USER, k, n, RRF_RT_ANY, &type, nullptr, &size) == ERROR_SUCCESS;
        saved.resize(size);
        if (existed) RegGetValueW(HKEY_CURRENT_USER, k, n, RRF_RT_ANY, &type, saved.data(), &size);
    }
    void SetDword(DWORD v) { RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_DWORD, &v, sizeof v); }
    void SetString(const wchar_t* v) {
        RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), REG_SZ, v,
                        static_cast<DWORD>((wcslen(v) + 1) * sizeof(wchar_t)));
    }
    ~UserValue() {
        if (existed)
            RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str(), type, saved.data(),
                            static_cast<DWORD>(saved.size()));
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, key.c_str(), name.c_str());
    }
};

HBRUSH BarBrush(HMENU bar) {
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_BACKGROUND;
    GetMenuInfo(bar, &info);
    return info.hbrBack;
}

TEST(ColorScheme, AutoFollowsTheAppThemeWhileRunningAndTheBarIsGivenBack) {
    UserValue theme(L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", L"AppsUseLightTheme");
    theme.SetDword(0);
    HMENU bar = CreateMenu(), popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Item");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), "File");
    {
        MenuForm form(bar);
        ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
        OLE_COLOR back = 0;
        ASSERT_EQ(S_OK, dual->put_ColorScheme(qlColorSchemeAuto));
        ASSERT_EQ(S_OK, dual->get_MenuBackground(&back));
        EXPECT_EQ(DarkSystemColor(COLOR_MENU), back) << "apps run dark";
        const HBRUSH dark = BarBrush(bar);
        EXPECT_NE(nullptr, dark) << "the bar beyond its items is dark too";

        theme.SetDword(1);
        SendMessageW(form.window.hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
        ASSERT_EQ(S_OK, dual->get_MenuBackground(&back));
        EXPECT_EQ(GetSysColor(COLOR_MENU), back) << "apps run light again";
        EXPECT_EQ(nullptr, BarBrush(bar)) << "the host's bar as it was";

        ASSERT_EQ(S_OK, dual->put_ColorScheme(qlColorSchemeDark));
        EXPECT_NE(nullptr, BarBrush(bar));
        qlColorScheme chosen = qlColorSchemeClassic;
        ASSERT_EQ(S_OK, dual->get_ColorScheme(&chosen));
        EXPECT_EQ(qlColorSchemeDark, chosen);
    }
    EXPECT_EQ(nullptr, BarBrush(bar)) << "a released control gives the bar back";
    DestroyMenu(bar);
}

TEST(ColorScheme, OnlyASchemeOtherThanClassicIsSavedAndDarkComesBack) {
    RecordingWindow form;
    {
        // A form saved before: colours it left out load as they always did.
        auto saved = PropertyBag::Create();
        HostedControl q(form.hwnd());
        ASSERT_EQ(S_OK, q->put_HighlightStyle(qlHighlightXP));
        ASSERT_EQ(S_OK, q->put_UseCustomColors(VARIANT_TRUE));
        ASSERT_EQ(S_OK, q.container.Save(saved.get()));
        ASSERT_EQ(nullptr, saved->Get(L"HighlightedTextColor"));
        q.Close();
        TestContainer container(form.hwnd());
        ASSERT_EQ(S_OK, container.Create(QuillonFactory()));
        ASSERT_EQ(S_OK, container.Load(saved.get()));
        EXPECT_EQ(ComputeSystemDefaultColors(qlHighlightHorizontalLeftToRight)[ColorRole::HighlightedTextColor],
                  QuillonOf(container)->CustomColor(ColorRole::HighlightedTextColor));
        container.Close();
    }
    auto bag = PropertyBag::Create();
    {
        HostedControl q(form.hwnd());
        ASSERT_EQ(S_OK, q.container.Save(bag.get()));
        EXPECT_EQ(nullptr, bag->Get(L"ColorScheme"));
        ASSERT_EQ(S_OK, q->put_ColorScheme(qlColorSchemeDark));
        ASSERT_EQ(S_OK, q->put_TextColor(RGB(1, 2, 3)));
        bag = PropertyBag::Create();
        ASSERT_EQ(S_OK, q.container.Save(bag.get()));
    }
    ASSERT_NE(nullptr, bag->Get(L"ColorScheme"));
    EXPECT_EQ(qlColorSchemeDark, V_I4(&bag->Get(L"ColorScheme")->v));
    TestContainer container(form.hwnd());
    ASSERT_EQ(S_OK, container.Create(QuillonFactory()));
    ASSERT_EQ(S_OK, container.Load(bag.get()));
    Quillon* q = QuillonOf(container);
    qlColorScheme chosen = qlColorSchemeClassic;
    ASSERT_EQ(S_OK, q->get_ColorScheme(&chosen));
    EXPECT_EQ(qlColorSchemeDark, chosen);
    EXPECT_EQ(DarkSystemColor(COLOR_MENU), q->DefaultColor(ColorRole::MenuBackground));
    EXPECT_EQ(RGB(1, 2, 3), q->CustomColor(ColorRole::TextColor));
    container.Close();
}

// Switches high contrast on for the test: through the system where it keeps
// the setting, else (Wine) where Windows stores it.
struct HighContrast {
    UserValue flags{L"Control Panel\\Accessibility\\HighContrast", L"Flags"};
    bool system = false;
    explicit HighContrast(HWND form) {
        HIGHCONTRASTW hc{sizeof hc, HCF_HIGHCONTRASTON, nullptr};
        system = SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof hc, &hc, 0) != FALSE;
        if (!system) flags.SetString(L"127");
        SendMessageW(form, WM_SYSCOLORCHANGE, 0, 0);
    }
    void Off(HWND form) {
        HIGHCONTRASTW hc{sizeof hc, 0, nullptr};
        if (system) SystemParametersInfoW(SPI_SETHIGHCONTRAST, sizeof hc, &hc, 0);
        flags.SetString(L"126");
        SendMessageW(form, WM_SYSCOLORCHANGE, 0, 0);
    }
};

TEST(HighContrast, ItemsShowOnlySystemColoursInEveryStyleAndTheSettingsStay) {
    MenuForm form;
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Selected item");
    AppendMenuA(popup, MF_STRING, 2, "Last");
    form.Open(popup);
    ComPtr<_Quillon> dual(static_cast<_Quillon*>(form.q()));
    Automation host(form.control->container.Query<IDispatch>(IID_IDispatch).get());
    ASSERT_EQ(S_OK, host.Let(L"UseCustomColors", Variant::Bool(true)));
    ASSERT_EQ(S_OK, host.Let(L"MenuHighlight", Variant::Long(RGB(250, 10, 10))));
    ASSERT_EQ(S_OK, host.Let(L"MenuBackground", Variant::Long(RGB(10, 250, 10))));
    ASSERT_EQ(S_OK, dual->put_MenuBorder(qlBorderFlatWithShadow));
    ComPtr<IPictureDisp> tile = SolidPicture(RGB(10, 10, 250), 8, 8);
    ASSERT_EQ(S_OK, dual->putref_BackgroundPicture(tile.get()));

    const auto draw = [&](Canvas& canvas, UINT state) {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemState = state;
        dis.hDC = canvas.dc;
        dis.rcItem = {0, 0, canvas.w, canvas.h};
        dis.itemData = DataOf(popup, 0);
        SendMessageA(form.window.hwnd(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    };
    const std::set<COLORREF> system = {GetSysColor(COLOR_MENU), GetSysColor(COLOR_MENUTEXT),
                                       GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT),
                                       GetSysColor(COLOR_GRAYTEXT)};
    HighContrast on(form.window.hwnd());
    ASSERT_TRUE(form.q()->Scheme().HighContrast());
    for (LONG style = qlHighlightPlain; style <= qlHighlightXP; ++style) {
        ASSERT_EQ(S_OK, dual->put_HighlightStyle(static_cast<qlHighlight>(style)));
        for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED)}) {
            Canvas canvas(160, 22);
            draw(canvas, state);
            EXPECT_EQ(0, canvas.Count([&](COLORREF p) { return !system.count(p); }))
                << "style " << style << (state ? " selected" : "");
        }
    }
    VARIANT_BOOL custom = VARIANT_FALSE;
    ASSERT_EQ(S_OK, dual->get_UseCustomColors(&custom));
    EXPECT_EQ(VARIANT_TRUE, custom) << "the settings keep their values";
    EXPECT_NE(nullptr, form.q()->BackgroundPicture());

    on.Off(form.window.hwnd());
    ASSERT_FALSE(form.q()->Scheme().HighContrast());
    Canvas canvas(160, 22);
    draw(canvas, 0);
    EXPECT_GT(canvas.Count(RGB(10, 10, 250)), 0) << "the background picture is back";
    DestroyMenu(popup);
}

}  // namespace
