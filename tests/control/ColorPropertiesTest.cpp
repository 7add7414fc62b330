// The ten colour properties and UseCustomColors as a host sees them, the
// colour arithmetic and the default colours computed from the palette.
#include <windows.h>
#include <commctrl.h>
#include <map>
#include "render/ColorUtils.h"
#include "tests/control/AutomatedControl.h"

using namespace quillon;
using namespace quillon::test;

namespace {

struct ColorProperty {
    const wchar_t* name;
    DISPID id;
    ColorRole role;
    bool fullRefresh;
};

const std::vector<ColorProperty>& ColorProperties() {
    static const std::vector<ColorProperty> all = {
        {L"MenuBackground", DISPID_MenuBackground, ColorRole::MenuBackground, true},
        {L"BitmapBackground", DISPID_BitmapBackground, ColorRole::BitmapBackground, false},
        {L"MenuBarBackground", DISPID_MenuBarBackground, ColorRole::MenuBarBackground, false},
        {L"TextColor", DISPID_TextColor, ColorRole::TextColor, true},
        {L"DisabledTextColor", DISPID_DisabledTextColor, ColorRole::DisabledTextColor, true},
        {L"HighlightedTextColor", DISPID_HighlightedTextColor, ColorRole::HighlightedTextColor, true},
        {L"MenuHighlight", DISPID_MenuHighlight, ColorRole::MenuHighlight, true},
        {L"MenuHighlightBorder", DISPID_MenuHighlightBorder, ColorRole::MenuHighlightBorder, true},
        {L"TootipBackground", DISPID_TootipBackground, ColorRole::TootipBackground, false},
        {L"TootipTextColor", DISPID_TootipTextColor, ColorRole::TootipTextColor, false},
    };
    return all;
}

struct Colors : AutomatedControl {
    void ClearDirty() { SaveToClearDirty(); }
    HWND tooltip() const { return control()->Tooltip() ? control()->Tooltip()->hwnd() : nullptr; }
    COLORREF TipBack() const { return static_cast<COLORREF>(SendMessageA(tooltip(), TTM_GETTIPBKCOLOR, 0, 0)); }
    COLORREF TipText() const { return static_cast<COLORREF>(SendMessageA(tooltip(), TTM_GETTIPTEXTCOLOR, 0, 0)); }
};

TEST_F(Colors, GettersGiveTheComputedDefaultsUntilCustomColorsAreOn) {
    Start();
    const DefaultColors expected = ComputeSystemDefaultColors(1);
    for (const auto& p : ColorProperties())
        EXPECT_EQ(static_cast<LONG>(expected[p.role]), AsLong(host->Get(p.name))) << p.name;
    EXPECT_EQ(VT_UI4, host->Get(L"MenuBackground").vt()) << "OLE_COLOR";
    EXPECT_EQ(GetSysColor(COLOR_MENU), expected[ColorRole::MenuBackground]);
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), expected[ColorRole::TootipBackground]);
    EXPECT_EQ(GetSysColor(COLOR_INFOTEXT), expected[ColorRole::TootipTextColor]);

    // Custom values are stored whatever UseCustomColors says, and used once it is on.
    for (const auto& p : ColorProperties()) ASSERT_EQ(S_OK, host->Let(p.name, Color(0x00102030)));
    for (const auto& p : ColorProperties())
        EXPECT_EQ(static_cast<LONG>(expected[p.role]), AsLong(host->Get(p.name))) << p.name << " still default";
    ASSERT_EQ(S_OK, host->Let(L"UseCustomColors", Variant::Bool(true)));
    for (const auto& p : ColorProperties()) EXPECT_EQ(0x00102030, AsLong(host->Get(p.name))) << p.name;

    // -1 means "not set": the default shows through.
    for (const auto& p : ColorProperties()) ASSERT_EQ(S_OK, host->Let(p.name, Color(0xFFFFFFFF)));
    for (const auto& p : ColorProperties())
        EXPECT_EQ(static_cast<LONG>(expected[p.role]), AsLong(host->Get(p.name))) << p.name << " -1";
}

TEST_F(Colors, SettersCompareFirstNotifyAndRefreshWhatTheyAffect) {
    Start();
    for (const auto& p : ColorProperties()) {
        SCOPED_TRACE(std::string(p.name, p.name + wcslen(p.name)));
        ClearDirty();
        changed().clear();
        const int refreshes = control()->ColorRefreshes();
        ASSERT_EQ(S_OK, host->Let(p.name, Color(0)));  // the stored custom value of a new control
        EXPECT_TRUE(changed().empty());
        EXPECT_EQ(S_FALSE, IsDirty());
        EXPECT_EQ(refreshes, control()->ColorRefreshes());

        ASSERT_EQ(S_OK, host->Let(p.name, Color(0x00445566)));
        EXPECT_EQ(std::vector<DISPID>{p.id}, changed());
        EXPECT_EQ(S_OK, IsDirty());
        EXPECT_EQ(refreshes + (p.fullRefresh ? 1 : 0), control()->ColorRefreshes());
        EXPECT_EQ(0x00445566u, control()->CustomColor(p.role));

        ASSERT_EQ(S_OK, host->Let(p.name, Color(0x00445566)));
        EXPECT_EQ(1u, changed().size()) << "the same value again";
    }
}

TEST_F(Colors, SystemColorReferencesReadAsStoredInDesignModeAndResolvedInRunMode) {
    ContainerOptions design;
    design.userMode = false;
    Start(design);
    ASSERT_EQ(S_OK, host->Let(L"UseCustomColors", Variant::Bool(true)));
    EXPECT_EQ(0, control()->ColorRefreshes()) << "no refresh in design mode";
    ASSERT_EQ(S_OK, host->Let(L"TootipTextColor", Color(0x80000012)));  // a negative Long, as hosts pass it
    ASSERT_EQ(S_OK, host->Let(L"MenuBackground", Color(0x8000000F)));
    EXPECT_EQ(static_cast<LONG>(0x80000012), AsLong(host->Get(L"TootipTextColor")));
    EXPECT_EQ(static_cast<LONG>(0x8000000F), AsLong(host->Get(L"MenuBackground")));
    EXPECT_EQ(0, control()->ColorRefreshes());

    q->container.SetUserMode(true);
    EXPECT_EQ(static_cast<LONG>(GetSysColor(0x12)), AsLong(host->Get(L"TootipTextColor")));
    EXPECT_EQ(static_cast<LONG>(GetSysColor(COLOR_BTNFACE)), AsLong(host->Get(L"MenuBackground")));
    ASSERT_EQ(S_OK, host->Let(L"MenuBackground", Color(0x80000005)));
    EXPECT_EQ(1, control()->ColorRefreshes()) << "a full refresh in run mode";
}

TEST_F(Colors, TooltipColoursReachTheTooltipWindow) {
    Start();
    ASSERT_NE(nullptr, tooltip());
    const DefaultColors d = ComputeSystemDefaultColors(1);

    // While custom colours are off the tooltip still takes a new value at once.
    ASSERT_EQ(S_OK, host->Let(L"TootipBackground", Color(0x00123456)));
    ASSERT_EQ(S_OK, host->Let(L"TootipTextColor", Color(0x8000000E)));  // COLOR_HIGHLIGHTTEXT
    EXPECT_EQ(0x00123456u, TipBack());
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHTTEXT), TipText());
    EXPECT_EQ(static_cast<LONG>(d[ColorRole::TootipBackground]), AsLong(host->Get(L"TootipBackground")));

    // UseCustomColors hands the tooltip what the getters now read.
    ASSERT_EQ(S_OK, host->Let(L"TootipTextColor", Color(0x00654321)));
    ASSERT_EQ(S_OK, host->Let(L"UseCustomColors", Variant::Bool(true)));
    EXPECT_EQ(0x00123456u, TipBack());
    EXPECT_EQ(0x00654321u, TipText());
    ASSERT_EQ(S_OK, host->Let(L"UseCustomColors", Variant::Bool(false)));
    EXPECT_EQ(d[ColorRole::TootipBackground], TipBack());
    EXPECT_EQ(d[ColorRole::TootipTextColor], TipText());

    // "Not set" gives the tooltip the default, not a colour of no index.
    ASSERT_EQ(S_OK, host->Let(L"TootipBackground", Color(0xFFFFFFFF)));
    EXPECT_EQ(d[ColorRole::TootipBackground], TipBack());
}

TEST_F(Colors, DesignModeLeavesTheTooltipColoursAlone) {
    ContainerOptions design;
    design.userMode = false;
    Start(design);
    EXPECT_EQ(nullptr, control()->Tooltip()) << "no tooltip window at design time";
    ASSERT_EQ(S_OK, host->Let(L"TootipBackground", Color(0x00123456)));
    EXPECT_EQ(std::vector<DISPID>{DISPID_TootipBackground}, changed());
}

TEST_F(Colors, HighlightStyleRecomputesTheDefaults) {
    Start();
    const int refreshes = control()->ColorRefreshes();
    ASSERT_EQ(S_OK, host->Let(L"HighlightStyle", Variant::Long(9)));
    const DefaultColors xp = ComputeSystemDefaultColors(9);
    for (const auto& p : ColorProperties())
        EXPECT_EQ(static_cast<LONG>(xp[p.role]), AsLong(host->Get(p.name))) << p.name;
    EXPECT_EQ(refreshes + 1, control()->ColorRefreshes());
    ASSERT_EQ(S_OK, host->Let(L"HighlightStyle", Variant::Long(1)));
    EXPECT_EQ(static_cast<LONG>(ComputeSystemDefaultColors(1)[ColorRole::MenuHighlight]),
              AsLong(host->Get(L"MenuHighlight")));
}

TEST_F(Colors, GetMeanColorBlendsHalfAndHalf) {
    Start();
    Variant r;
    ASSERT_EQ(S_OK, host->Call(L"GetMeanColor", {Variant::Long(0x0000FF), Variant::Long(0xFF0000)}, &r));
    EXPECT_EQ(VT_I4, r.vt());
    EXPECT_EQ(0x800080, AsLong(r)) << "127.5 rounds to 128";
    ASSERT_EQ(S_OK, host->Call(L"GetMeanColor", {Variant::Long(0x000000), Variant::Long(0x030303)}, &r));
    EXPECT_EQ(0x020202, AsLong(r)) << "1.5 rounds to 2";
    ASSERT_EQ(S_OK, host->Call(L"GetMeanColor", {Variant::Long(0x000000), Variant::Long(0x050505)}, &r));
    EXPECT_EQ(0x020202, AsLong(r)) << "2.5 rounds to 2";
    q->Close();
    ASSERT_EQ(S_OK, host->Call(L"GetMeanColor", {Variant::Long(0xFFFFFF), Variant::Long(0x000000)}, &r));
    EXPECT_EQ(0x808080, AsLong(r)) << "still answers after Close";
}

TEST(ColorUtils, Arithmetic) {
    EXPECT_EQ(0xA0A6AAu, DarkenColor(0xC8D0D4));
    EXPECT_EQ(0xFFFFFFu, LightenColor(0xF0F0F0));
    EXPECT_EQ(RGB(110, 55, 0), LightenColor(RGB(100, 50, 0)));
    EXPECT_EQ(0x123456u, BlendColors(0x123456, 0x654321, 1.7f));
    EXPECT_EQ(0x654321u, BlendColors(0x123456, 0x654321, -0.3f));
    EXPECT_EQ(RGB(25, 0, 0), BlendColors(RGB(100, 0, 0), RGB(0, 0, 0), 0.25f));
    EXPECT_EQ(2, RoundHalfEven(2.5));
    EXPECT_EQ(4, RoundHalfEven(3.5));
    EXPECT_EQ(3, RoundHalfEven(2.6));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), SystemColor(0x80000018));
    EXPECT_EQ(0x00ABCDEFu, SystemColor(0x00ABCDEF));
}

// Palettes for the default colours, answering like GetSysColor.
std::function<COLORREF(int)> Palette(std::map<int, COLORREF> colors) {
    return [colors](int index) {
        auto it = colors.find(index);
        return it == colors.end() ? COLORREF(0x00010203) : it->second;
    };
}

std::map<int, COLORREF> ClassicGrey() {
    return {{COLOR_MENU, 0xC8D0D4},      {COLOR_MENUTEXT, 0x000000},   {COLOR_GRAYTEXT, 0x808080},
            {COLOR_HIGHLIGHTTEXT, 0xFFFFFF}, {COLOR_HIGHLIGHT, 0x6A240A}, {COLOR_BTNSHADOW, 0x808080},
            {COLOR_BTNFACE, 0xC8D0D4},   {COLOR_INFOBK, 0xE1FFFF},     {COLOR_INFOTEXT, 0x000000},
            {COLOR_MENUBAR, 0xF0F0F0}};
}

TEST(DefaultColors, PlainStylesTakeTheSystemColours) {
    const DefaultColors d = ComputeDefaultColors(1, Palette(ClassicGrey()), false);
    EXPECT_EQ(0xC8D0D4u, d[ColorRole::MenuBackground]);
    EXPECT_EQ(0xC8D0D4u, d[ColorRole::BitmapBackground]);
    EXPECT_EQ(0xC8D0D4u, d[ColorRole::MenuBarBackground]);
    EXPECT_EQ(0x000000u, d[ColorRole::TextColor]);
    EXPECT_EQ(0x808080u, d[ColorRole::DisabledTextColor]);
    EXPECT_EQ(0xFFFFFFu, d[ColorRole::HighlightedTextColor]);
    EXPECT_EQ(0x6A240Au, d[ColorRole::MenuHighlight]);
    EXPECT_EQ(0x808080u, d[ColorRole::MenuHighlightBorder]);
    EXPECT_EQ(0xE1FFFFu, d[ColorRole::TootipBackground]);
    EXPECT_EQ(0x000000u, d[ColorRole::TootipTextColor]);
    EXPECT_EQ(0xF0F0F0u, ComputeDefaultColors(1, Palette(ClassicGrey()), true)[ColorRole::MenuBarBackground])
        << "flat menus have their own bar colour";
}

TEST(DefaultColors, XPAdjustments) {
    // Classic grey: white menu, button-face column (grey again) -> fixed highlight.
    DefaultColors d = ComputeDefaultColors(9, Palette(ClassicGrey()), false);
    EXPECT_EQ(0xFFFFFFu, d[ColorRole::MenuBackground]);
    EXPECT_EQ(0xC8D0D4u, d[ColorRole::BitmapBackground]);
    EXPECT_EQ(0xD6BEB5u, d[ColorRole::MenuHighlight]);
    EXPECT_EQ(0x6B2408u, d[ColorRole::MenuHighlightBorder]);

    // Grey menu, other button face: column at 80 % of white is not grey.
    auto palette = ClassicGrey();
    palette[COLOR_BTNFACE] = 0xE0E0E0;
    d = ComputeDefaultColors(9, Palette(palette), false);
    EXPECT_EQ(0xE0E0E0u, d[ColorRole::BitmapBackground]);
    EXPECT_EQ(0x6A240Au, d[ColorRole::MenuHighlightBorder]);
    EXPECT_EQ(LightenColor(0xC8D0D4), d[ColorRole::MenuHighlight]) << "lightened menu-bar colour";

    // A coloured menu: column is the menu darkened; a black bar darkens the highlight three times.
    palette = ClassicGrey();
    palette[COLOR_MENU] = 0x00A0B0C0;
    d = ComputeDefaultColors(9, Palette(palette), false);
    EXPECT_EQ(0x00A0B0C0u, d[ColorRole::MenuBackground]);
    EXPECT_EQ(DarkenColor(0x00A0B0C0), d[ColorRole::BitmapBackground]);
    palette[COLOR_MENUBAR] = 0;
    d = ComputeDefaultColors(9, Palette(palette), true);
    EXPECT_EQ(DarkenColor(DarkenColor(DarkenColor(0x6A240A))), d[ColorRole::MenuHighlight]);

    // Menu equal to the text colour falls back to the menu colour; a highlight equal to the
    // highlighted text makes that text the normal text colour.
    palette = ClassicGrey();
    palette[COLOR_MENU] = 0x00FFFFFF;  // lightened white stays white
    palette[COLOR_MENUTEXT] = 0x00FFFFFF;
    palette[COLOR_BTNFACE] = 0x00FFFFFF;
    d = ComputeDefaultColors(9, Palette(palette), false);
    EXPECT_EQ(0xFFFFFFu, d[ColorRole::MenuHighlight]);
    EXPECT_EQ(0xFFFFFFu, d[ColorRole::HighlightedTextColor]) << "set to the text colour";
    palette[COLOR_MENUTEXT] = 0x00000001;
    d = ComputeDefaultColors(9, Palette(palette), false);
    EXPECT_EQ(0x00000001u, d[ColorRole::HighlightedTextColor]);
}

}  // namespace
