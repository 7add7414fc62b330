// The tooltip wrapper over a real tooltip window, and the tips the control
// shows for items selected with the mouse.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include "help/Tooltip.h"
#include "tests/help/HelpFixture.h"

using namespace quillon;
using namespace quillon::test;

namespace {

std::string ToolText(HWND tooltip, HWND container, UINT_PTR id) {
    char text[128] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = container;
    tool.uId = id;
    tool.lpszText = text;
    SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST(Tooltip, WrapperOverARealTooltipWindow) {
    RecordingWindow form;
    HWND window = nullptr;
    {
        CTooltip tip;
        ASSERT_TRUE(tip.Init(form.hwnd()));
        window = tip.hwnd();
        char cls[32] = {};
        GetClassNameA(window, cls, sizeof cls);
        EXPECT_STREQ("tooltips_class32", cls);
        EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON);
        EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
        tip.SetBalloonStyle(false);
        EXPECT_FALSE(GetWindowLongA(window, GWL_STYLE) & TTS_BALLOON);

        EXPECT_TRUE(tip.AddTool(5, false, 1, 2, 30, 40, L"  hello  "));
        EXPECT_FALSE(tip.AddTool(5, false, 0, 0, 1, 1, L"again")) << "one tool per identifier";
        EXPECT_TRUE(tip.AddTool(6, false, 0, 0, 1, 1, L"   "));
        EXPECT_EQ(2, tip.ToolCount());
        EXPECT_EQ(5u, tip.ToolId(0));
        EXPECT_EQ(0u, tip.ToolId(7));
        EXPECT_EQ("hello", ToolText(window, form.hwnd(), 5)) << "blanks trimmed";
        EXPECT_EQ(" ", ToolText(window, form.hwnd(), 6)) << "a blank text is one blank";
        tip.DeleteTool(99);
        EXPECT_EQ(2, tip.ToolCount());
        tip.DeleteTool(5);
        EXPECT_EQ(1, tip.ToolCount());
        EXPECT_EQ(6u, tip.ToolId(0));

        tip.SetTitle(L"  Title ");
        EXPECT_EQ("Title", tip.Title());
        tip.SetBackColor(RGB(1, 2, 3));
        EXPECT_EQ(RGB(1, 2, 3), tip.BackColor());
        tip.SetForeColor(RGB(4, 5, 6));
        EXPECT_EQ(RGB(4, 5, 6), tip.ForeColor());
        tip.SetReshowDelay(123);
        EXPECT_EQ(123, tip.ReshowDelay());
        tip.SetAutopopDelay(4567);
        EXPECT_EQ(4567, tip.AutopopDelay());
        EXPECT_EQ(0x0001FFFFL, CTooltip::MakeLong(-1, 1));
    }
    EXPECT_FALSE(IsWindow(window)) << "the window goes with the wrapper";
}

TEST(ItemTooltips, OnlyMouseSelectionsOfItemsWithATextGetATip) {
    HelpForm f;
    const CTooltip* tip = f.q()->Tooltip();
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(2500, tip->InitialDelay());
    EXPECT_EQ(1, tip->Icon());
    CMenuItem* mine = f.control->control->GetMenuItemByKey(ItemCollection::KeyOf(DataOf(f.popup, 1)));
    ASSERT_NE(nullptr, mine);
    EXPECT_EQ(L"Runs my command", mine->TooltTipText()) << "preset with the help text";

    POINT point{5, 5};
    f.Select(HelpForm::kMine);
    EXPECT_EQ(0, tip->ToolCount()) << "keyboard selections get none";
    f.Select(HelpForm::kMine, MF_MOUSESELECT);
    EXPECT_EQ(1, tip->ToolCount());
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(f.window.hwnd()), tip->ToolId(0));
    EXPECT_EQ("", tip->Title());
    EXPECT_EQ(f.window.hwnd(), f.q()->TooltipShownFor());
    EXPECT_EQ(reinterpret_cast<LRESULT>(f.window.hwnd()), SendMessageA(tip->hwnd(), TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&point)));

    f.Select(HelpForm::kOpen, MF_MOUSESELECT);  // no help text, so no tooltip text
    EXPECT_EQ(0, tip->ToolCount()) << "the previous tip goes";
    EXPECT_EQ(nullptr, f.q()->TooltipShownFor());
    EXPECT_NE(reinterpret_cast<LRESULT>(f.window.hwnd()), SendMessageA(tip->hwnd(), TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&point)));

    ASSERT_EQ(S_OK, f.host->Let(L"ShowTootipTitle", Variant::Bool(true)));
    ASSERT_EQ(S_OK, f.host->Let(L"ShowTooltip", Variant::Bool(false)));
    f.Select(HelpForm::kMine, MF_MOUSESELECT);
    EXPECT_EQ("&My Command", tip->Title());
    EXPECT_FALSE(tip->Active());
    EXPECT_EQ(1, tip->ToolCount()) << "tools still come and go while inactive";
    f.Close();
    EXPECT_EQ(0, tip->ToolCount()) << "closing the menu removes the tool";
}

TEST(ItemTooltips, StyleAndColoursFollowTheProperties) {
    HelpForm f;
    const CTooltip* tip = f.q()->Tooltip();
    ASSERT_NE(nullptr, tip);
    EXPECT_TRUE(GetWindowLongA(tip->hwnd(), GWL_STYLE) & TTS_BALLOON);
    ASSERT_EQ(S_OK, f.host->Let(L"TootipStyle", Variant::Long(1)));
    EXPECT_FALSE(GetWindowLongA(tip->hwnd(), GWL_STYLE) & TTS_BALLOON) << "rectangle at once";
    ASSERT_EQ(S_OK, f.host->Let(L"UseCustomColors", Variant::Bool(true)));
    ASSERT_EQ(S_OK, f.host->Let(L"TootipBackground", Color(RGB(10, 20, 30))));
    ASSERT_EQ(S_OK, f.host->Let(L"TootipTextColor", Color(RGB(40, 50, 60))));
    EXPECT_EQ(RGB(10, 20, 30), tip->BackColor());
    EXPECT_EQ(RGB(40, 50, 60), tip->ForeColor());

    // TTN_SHOW keeps the tip above the menu; the form still gets it.
    NMHDR show{tip->hwnd(), 0, static_cast<UINT>(TTN_SHOW)};
    const int before = f.window.proc().Count(WM_NOTIFY);
    SetWindowPos(tip->hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    SendMessageA(f.window.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&show));
    EXPECT_TRUE(GetWindowLongA(tip->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(before + 1, f.window.proc().Count(WM_NOTIFY));
}

}  // namespace
