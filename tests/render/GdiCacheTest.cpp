// The shared brushes and pen rebuilt by a colour refresh, and the menu bar
// rescanned with it.
#include <windows.h>
#include <gtest/gtest.h>
#include "tests/control/Automation.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;

namespace {

COLORREF BrushColor(HGDIOBJ brush) {
    LOGBRUSH lb = {};
    return GetObject(brush, sizeof lb, &lb) == sizeof lb && lb.lbStyle == BS_SOLID ? lb.lbColor : CLR_INVALID;
}

TEST(GdiCache, ARefreshRebuildsTheSharedObjectsAndRescansTheMenuBar) {
    RecordingWindow form;
    HostedControl q(form.hwnd());
    Automation host(q.container.Query<IDispatch>(IID_IDispatch).get());
    ASSERT_EQ(S_OK, host.Let(L"UseCustomColors", Variant::Bool(true)));
    ASSERT_EQ(S_OK, host.Let(L"MenuBackground", Color(0x00102030)));
    const HBRUSH background = q->MenuBackgroundBrush();
    const HPEN frame = q->HighlightBorderPen();
    EXPECT_EQ(0x00102030u, BrushColor(background));
    ASSERT_NE(nullptr, q->BitmapBackgroundBrush());

    HMENU bar = CreateMenu();
    AppendMenuA(bar, MF_STRING, 101, "&File");
    ASSERT_TRUE(SetMenu(form.hwnd(), bar));
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    const int made = q->GdiCacheCreations(), deleted = q->GdiCacheDeletions();
    ASSERT_EQ(S_OK, host.Let(L"MenuHighlightBorder", Color(0x80000000 | COLOR_WINDOWTEXT)));
    EXPECT_EQ(made + 3, q->GdiCacheCreations());
    EXPECT_EQ(deleted + 3, q->GdiCacheDeletions()) << "each old object deleted";
    EXPECT_EQ(0u, GetObjectType(background));
    EXPECT_EQ(0u, GetObjectType(frame));
    EXPECT_EQ(0x00102030u, BrushColor(q->MenuBackgroundBrush()));
    LOGPEN lp = {};
    ASSERT_EQ(static_cast<int>(sizeof lp), GetObject(q->HighlightBorderPen(), sizeof lp, &lp));
    EXPECT_EQ(static_cast<UINT>(PS_INSIDEFRAME), lp.lopnStyle);
    EXPECT_EQ(GetSysColor(COLOR_WINDOWTEXT), lp.lopnColor) << "system colour resolved";
    ASSERT_TRUE(GetMenuItemInfoA(bar, 0, TRUE, &info));
    EXPECT_NE(0u, info.fType & MFT_OWNERDRAW) << "the new bar was scanned";

    // A new picture-column colour rebuilds that brush alone.
    const HBRUSH kept = q->MenuBackgroundBrush();
    ASSERT_EQ(S_OK, host.Let(L"BitmapBackground", Color(0x00AABBCC)));
    EXPECT_EQ(made + 4, q->GdiCacheCreations());
    EXPECT_EQ(kept, q->MenuBackgroundBrush());
    EXPECT_EQ(0x00AABBCCu, BrushColor(q->BitmapBackgroundBrush()));
    SetMenu(form.hwnd(), nullptr);
    DestroyMenu(bar);
}

}  // namespace
