// Attaching the control to forms, MDI frames and MDI children, and
// releasing it: which windows are hooked when, and that nothing stays hooked.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include "control/MenuMessages.h"
#include "control/ole/Module.h"
#include "hook/SubclassWnd.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;
using SubclassWnd::IsWindowHooked;

namespace {

TEST(Attachment, DesignModeHooksNothingAndCreatesNoTooltipOrTimer) {
    RecordingWindow form;
    SetMenu(form.hwnd(), MakeSampleMenuBar());
    {
        HostedControl q(form.hwnd(), {.userMode = false});
        EXPECT_FALSE(IsWindowHooked(form.hwnd()));
        EXPECT_EQ(ProcOf(form.hwnd()), form.classProc());
        EXPECT_FALSE(q->IsAttached());
        EXPECT_EQ(q->Tooltip(), nullptr);
        EXPECT_EQ(q->TimerWindow(), nullptr);
        EXPECT_EQ(CountTooltipsOwnedBy(form.hwnd()), 0);
    }
    EXPECT_EQ(SubclassWnd::HookedWindowCount(), 0u);
}

TEST(Attachment, RunModeHooksTheFormWithTheMenuMessagesInOrder) {
    RecordingWindow form;
    HostedControl q(form.hwnd());
    ASSERT_TRUE(IsWindowHooked(form.hwnd()));
    EXPECT_EQ(ProcOf(form.hwnd()), &SubclassWnd::SharedWindowProc);
    EXPECT_EQ(q->OwnerWindow(), form.hwnd());
    auto record = SubclassWnd::FindRecord(form.hwnd());
    std::vector<UINT> expected(std::begin(kMenuMessageSet), std::end(kMenuMessageSet));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(record->Messages(), expected);
    EXPECT_EQ(record->oldWndProc, form.classProc());
}

TEST(Attachment, TheTooltipWindowIsCreatedAndHookedForTheForm) {
    RecordingWindow form;
    HostedControl q(form.hwnd());
    ASSERT_NE(q->Tooltip(), nullptr);
    HWND tip = q->Tooltip()->hwnd();
    char cls[64] = {};
    GetClassNameA(tip, cls, sizeof cls);
    EXPECT_STREQ(cls, "tooltips_class32");
    EXPECT_TRUE(IsWindowHooked(tip));
    EXPECT_TRUE(SubclassWnd::FindRecord(tip)->IsMessageHooked(TTM_WINDOWFROMPOINT));
    EXPECT_EQ(SubclassWnd::FindRecord(tip)->Messages().size(), 1u);
    EXPECT_EQ(q->Tooltip()->InitialDelay(), 2500);
    EXPECT_EQ(q->Tooltip()->Icon(), 1);
    EXPECT_TRUE(q->Tooltip()->BalloonStyle());
    EXPECT_TRUE(GetWindowLongA(tip, GWL_STYLE) & TTS_BALLOON);
    EXPECT_TRUE(GetWindowLongA(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    q.Close();
    EXPECT_FALSE(IsWindow(tip)) << "released with the control";
    EXPECT_EQ(CountTooltipsOwnedBy(form.hwnd()), 0);
}

TEST(Attachment, ReleaseUnhooksEveryWindowAndStopsTheTimers) {
    RecordingWindow form, extra;
    HostedControl q(form.hwnd());
    q->RegisterWindowMenu(extra.hwnd(), false);
    HWND tip = q->Tooltip()->hwnd();
    HWND timers = q->TimerWindow();
    EXPECT_TRUE(IsWindow(timers)) << "the menu-bar repaint was scheduled at attachment";
    EXPECT_EQ(SubclassWnd::HookedWindowCount(), 3u);
    q.Close();
    EXPECT_EQ(SubclassWnd::HookedWindowCount(), 0u);
    EXPECT_EQ(ProcOf(form.hwnd()), form.classProc());
    EXPECT_EQ(ProcOf(extra.hwnd()), extra.classProc());
    EXPECT_FALSE(IsWindow(tip));
    EXPECT_FALSE(IsWindow(timers));
    EXPECT_EQ(Quillon::InstanceCount(), 0);
}

TEST(Attachment, AFormInsideAContainerObjectIsFoundThroughTheParentChain) {
    RecordingWindow form;
    TestContainer container(form.hwnd());
    // extender -> frame object without hWnd -> form
    auto frame = LateBoundObject::Create();
    frame->SetParent(&container.form());
    container.extender()->SetParent(frame.get());
    ASSERT_EQ(container.Create(QuillonFactory()), S_OK);
    ASSERT_EQ(container.InitNew(), S_OK);
    EXPECT_TRUE(IsWindowHooked(form.hwnd()));
    container.Close();
    EXPECT_FALSE(IsWindowHooked(form.hwnd()));
}

TEST(Attachment, ALoopingParentChainEndsWithoutAForm) {
    RecordingWindow form;
    TestContainer container(form.hwnd());
    auto a = LateBoundObject::Create();
    auto b = LateBoundObject::Create();
    a->SetParent(b.get());
    b->SetParent(a.get());
    container.extender()->SetParent(a.get());
    ASSERT_EQ(container.Create(QuillonFactory()), S_OK);
    ASSERT_EQ(container.InitNew(), S_OK);
    EXPECT_EQ(SubclassWnd::HookedWindowCount(), 0u);
    EXPECT_EQ(QuillonOf(container)->Tooltip(), nullptr);
    container.Close();
    a->parent.reset();  // break the cycle
}

TEST(Attachment, APlainContainerFallsBackToTheSiteWindowsForm) {
    RecordingWindow form;
    {
        TestContainer container(form.hwnd(), {.plain = true});
        ASSERT_EQ(container.Create(QuillonFactory()), S_OK);
        ASSERT_EQ(container.InitNew(), S_OK);
        EXPECT_NE(container.siteWindow(), form.hwnd()) << "sited on a child window of the form";
        EXPECT_TRUE(IsWindowHooked(form.hwnd()));
        EXPECT_FALSE(IsWindowHooked(container.siteWindow()));
        EXPECT_EQ(container.DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
        container.Close();
    }
    EXPECT_EQ(SubclassWnd::HookedWindowCount(), 0u);
}

TEST(Attachment, AControlOnAnMdiFrameFormRegistersTheMdiClient) {
    MdiFrame mdi;
    HostedControl q(mdi.frame());
    EXPECT_TRUE(IsWindowHooked(mdi.frame()));
    EXPECT_EQ(q->MDIClientWindow(), mdi.client());
    EXPECT_TRUE(IsWindowHooked(mdi.client()));
    ASSERT_EQ(q->RegisteredWindows().size(), 1u);
    EXPECT_EQ(q->RegisteredWindows()[0], mdi.client());
    q.Close();
    EXPECT_FALSE(IsWindowHooked(mdi.client()));
    EXPECT_FALSE(IsWindowHooked(mdi.frame()));
}

TEST(Attachment, AnMdiChildHooksTheFrameOnlyWhileItIsTheActiveChild) {
    MdiFrame mdi;
    HWND first = mdi.AddChild("First");
    HWND second = mdi.AddChild("Second");
    mdi.Activate(first);
    HostedControl q(first, {.mdiChild = true});
    EXPECT_TRUE(IsWindowHooked(first));
    EXPECT_EQ(q->MDIFrameWindow(), mdi.frame());
    EXPECT_TRUE(q->IsFrameHooked()) << "the active child hooks its frame at once";
    EXPECT_TRUE(IsWindowHooked(mdi.frame()));

    mdi.Activate(second);
    EXPECT_FALSE(q->IsFrameHooked());
    mdi.Activate(first);
    EXPECT_TRUE(q->IsFrameHooked());
    EXPECT_TRUE(IsWindowHooked(mdi.frame()));

    mdi.Activate(second);
    EXPECT_FALSE(q->IsFrameHooked()) << "switching to another child unhooks the frame";
    EXPECT_FALSE(IsWindowHooked(mdi.frame()));

    mdi.Activate(first);
    EXPECT_TRUE(IsWindowHooked(mdi.frame()));
    q.Close();
    EXPECT_FALSE(IsWindowHooked(mdi.frame()));
    EXPECT_FALSE(IsWindowHooked(first));
}

TEST(Attachment, MdiChildWithoutTheMdiChildMemberIsToldByItsWindowStyle) {
    MdiFrame mdi;
    HWND child = mdi.AddChild();
    HostedControl q(child, {.mdiChild = std::nullopt});
    EXPECT_EQ(q->MDIFrameWindow(), mdi.frame());
}

TEST(Attachment, ActivationRepaintsTheMenuBarOnceAfterABurst) {
    RecordingWindow form;
    HostedControl q(form.hwnd());
    PumpMessages(100);
    int base = q->MenuBarRepaints();
    EXPECT_GE(base, 1) << "attachment schedules one repaint";
    for (int i = 0; i < 5; ++i) SendMessageA(form.hwnd(), WM_MDISETMENU, 0, 0);
    PumpMessages(100);
    EXPECT_EQ(q->MenuBarRepaints(), base + 1);
}

// The repaint timer's rescan raises SetMenuItemAttributes; a host that
// closes and releases the control in it (its sink still advised) must not
// pull the object away from the tick still running, and the scan stops.
TEST(Attachment, AHostMayReleaseTheControlInAnEventOfTheRepaintTimer) {
    RecordingWindow form;
    HMENU bar = MakeSampleMenuBar();
    SetMenu(form.hwnd(), bar);
    HostedControl q(form.hwnd());
    const LONG objects = module::ObjectCount();
    LONG objectsInEvent = -1;
    q.container.events().onEvent = [&](DISPID, DISPPARAMS*) {
        if (q.closed) return;
        q.closed = true;
        auto object = q.container.Query<IOleObject>(IID_IOleObject);
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        object.Reset();
        q.container.ReleaseControl();
        objectsInEvent = module::ObjectCount();
    };
    PumpMessages(100);
    EXPECT_EQ(1u, q.container.events().calls.size()) << "no event after the close";
    EXPECT_EQ(objects, objectsInEvent) << "the tick holds the control";
    EXPECT_EQ(objects - 1, module::ObjectCount()) << "and lets it go at its end";
    EXPECT_FALSE(IsWindowHooked(form.hwnd()));
    for (int p = 0; p < GetMenuItemCount(bar); ++p)
        EXPECT_FALSE(GetMenuState(bar, static_cast<UINT>(p), MF_BYPOSITION) & MF_OWNERDRAW) << p;
}

TEST(Attachment, ThousandAttachReleaseCyclesLeaveNothingBehind) {
    RecordingWindow form;
    MdiFrame mdi;
    for (int i = 0; i < 1000; ++i) {
        HostedControl q(i % 2 ? form.hwnd() : mdi.frame());
        if (i % 3 == 0) PumpMessages(0);
    }
    EXPECT_EQ(SubclassWnd::HookedWindowCount(), 0u);
    EXPECT_EQ(Quillon::InstanceCount(), 0);
    EXPECT_EQ(FindWindowExA(HWND_MESSAGE, nullptr, "QuillonTimerWindow", nullptr), nullptr);
    EXPECT_EQ(ProcOf(form.hwnd()), form.classProc());
    EXPECT_EQ(CountTooltipsOwnedBy(form.hwnd()) + CountTooltipsOwnedBy(mdi.frame()), 0);
}

}  // namespace
