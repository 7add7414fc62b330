// Connection points of the control: enumeration, advise and unadvise,
// events reaching every sink, sinks that fail or unadvise during an event.
#include <gtest/gtest.h>
#include "control/Guids.h"
#include "control/QuillonInterfaces.h"
#include "tests/com/ProbeControl.h"
#include "tests/support/TestWindows.h"

namespace quillon::test {
namespace {

class ConnectionPointTest : public ::testing::Test {
protected:
    void SetUp() override {
        probe = ComPtr<ProbeControl>::Adopt(ProbeControl::New(log));
        cpc = ComPtr<IConnectionPointContainer>(static_cast<IConnectionPointContainer*>(probe.get()));
        ASSERT_EQ(S_OK, cpc->FindConnectionPoint(DIID___Quillon, events.put()));
    }

    DWORD Advise(EventSink* sink) {
        DWORD cookie = 0;
        EXPECT_EQ(S_OK, events->Advise(static_cast<IDispatch*>(sink), &cookie));
        EXPECT_NE(0u, cookie);
        return cookie;
    }

    // SetMenuItemSize(item, ItemWidth byref, ItemHeight byref) as the control raises it.
    void FireSize(LONG& width, LONG& height) {
        VARIANT args[3];
        V_VT(&args[2]) = VT_DISPATCH;
        V_DISPATCH(&args[2]) = nullptr;
        V_VT(&args[1]) = VT_BYREF | VT_I4;
        V_I4REF(&args[1]) = &width;
        V_VT(&args[0]) = VT_BYREF | VT_I4;
        V_I4REF(&args[0]) = &height;
        DISPPARAMS dp{args, nullptr, 3, 0};
        probe->FireEvent(DISPID_SetMenuItemSize, &dp);
    }

    std::shared_ptr<ProbeLog> log = std::make_shared<ProbeLog>();
    ComPtr<ProbeControl> probe;
    ComPtr<IConnectionPointContainer> cpc;
    ComPtr<IConnectionPoint> events;
};

TEST_F(ConnectionPointTest, TwoConnectionPointsAreEnumerated) {
    ComPtr<IEnumConnectionPoints> e;
    ASSERT_EQ(S_OK, cpc->EnumConnectionPoints(e.put()));
    IConnectionPoint* points[4] = {};
    ULONG n = 0;
    EXPECT_EQ(S_FALSE, e->Next(4, points, &n));
    ASSERT_EQ(2u, n);
    IID iids[2] = {};
    for (ULONG i = 0; i < n; ++i) {
        points[i]->GetConnectionInterface(&iids[i]);
        ComPtr<IConnectionPointContainer> back;
        points[i]->GetConnectionPointContainer(back.put());
        EXPECT_EQ(cpc.get(), back.get());
        points[i]->Release();
    }
    EXPECT_TRUE(IsEqualIID(DIID___Quillon, iids[0]));
    EXPECT_TRUE(IsEqualIID(IID_IPropertyNotifySink, iids[1]));
    ASSERT_EQ(S_OK, e->Reset());
    EXPECT_EQ(S_OK, e->Skip(2));
    EXPECT_EQ(S_FALSE, e->Skip(1));
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(CONNECT_E_NOCONNECTION, cpc->FindConnectionPoint(IID_IDispatch, none.put()));
}

TEST_F(ConnectionPointTest, AnEventReachesTwoSinksWithByRefArguments) {
    auto a = EventSink::Create(), b = EventSink::Create();
    const DWORD ca = Advise(a.get()), cb = Advise(b.get());
    EXPECT_NE(ca, cb);
    // The second sink changes the size; the control reads it back.
    b->onEvent = [](DISPID id, DISPPARAMS* p) {
        if (id != DISPID_SetMenuItemSize) return;
        *V_I4REF(&p->rgvarg[1]) = 120;
        *V_I4REF(&p->rgvarg[0]) = 24;
    };
    LONG width = 80, height = 18;
    FireSize(width, height);
    ASSERT_EQ(1u, a->calls.size());
    ASSERT_EQ(1u, b->calls.size());
    EXPECT_EQ(DISPID_SetMenuItemSize, a->calls[0].id);
    ASSERT_EQ(3u, a->calls[0].args.size());
    EXPECT_EQ(80, V_I4(&a->calls[0].args[1].v));
    EXPECT_EQ(18, V_I4(&a->calls[0].args[2].v));
    EXPECT_EQ(120, width);
    EXPECT_EQ(24, height);

    ComPtr<IEnumConnections> e;
    ASSERT_EQ(S_OK, events->EnumConnections(e.put()));
    CONNECTDATA cd[3] = {};
    ULONG n = 0;
    e->Next(3, cd, &n);
    ASSERT_EQ(2u, n);
    EXPECT_EQ(ca, cd[0].dwCookie);
    EXPECT_EQ(cb, cd[1].dwCookie);
    for (ULONG i = 0; i < n; ++i) cd[i].pUnk->Release();

    EXPECT_EQ(S_OK, events->Unadvise(ca));
    EXPECT_EQ(CONNECT_E_NOCONNECTION, events->Unadvise(ca));
    probe->FireEvent(DISPID_ClearMenuHelp, nullptr);
    EXPECT_EQ(0, a->Count(DISPID_ClearMenuHelp));
    EXPECT_EQ(1, b->Count(DISPID_ClearMenuHelp));
}

TEST_F(ConnectionPointTest, SinkUnadvisingDuringAnEventIsSafe) {
    auto a = EventSink::Create(), b = EventSink::Create(), c = EventSink::Create();
    const DWORD ca = Advise(a.get());
    Advise(b.get());
    const DWORD cc = Advise(c.get());
    // The first sink unadvises itself and the third one.
    a->onEvent = [&](DISPID, DISPPARAMS*) {
        EXPECT_EQ(S_OK, events->Unadvise(ca));
        EXPECT_EQ(S_OK, events->Unadvise(cc));
    };
    a.Reset();  // only the connection point still holds the first sink
    probe->FireEvent(DISPID_ClearMenuHelp, nullptr);
    EXPECT_EQ(1, b->Count(DISPID_ClearMenuHelp));
    EXPECT_EQ(1, c->Count(DISPID_ClearMenuHelp));  // the snapshot still had it
    probe->FireEvent(DISPID_ClearMenuHelp, nullptr);
    EXPECT_EQ(2, b->Count(DISPID_ClearMenuHelp));
    EXPECT_EQ(1, c->Count(DISPID_ClearMenuHelp));
}

TEST_F(ConnectionPointTest, FailingSinkDoesNotStopTheOthers) {
    auto a = EventSink::Create(), b = EventSink::Create();
    Advise(a.get());
    Advise(b.get());
    a->answer = E_FAIL;
    probe->FireEvent(DISPID_ClearMenuHelp, nullptr);
    EXPECT_EQ(1, a->Count(DISPID_ClearMenuHelp));
    EXPECT_EQ(1, b->Count(DISPID_ClearMenuHelp));
}

TEST_F(ConnectionPointTest, FrozenEventsAreNotDelivered) {
    auto a = EventSink::Create();
    Advise(a.get());
    auto control = ComPtr<IOleControl>(static_cast<IOleControl*>(probe.get()));
    control->FreezeEvents(TRUE);
    probe->FireEvent(DISPID_ClearMenuHelp, nullptr);
    control->FreezeEvents(FALSE);
    probe->FireEvent(DISPID_ClearMenuHelp, nullptr);
    EXPECT_EQ(1, a->Count(DISPID_ClearMenuHelp));
}

TEST_F(ConnectionPointTest, PropertyNotificationsReachEveryAdvisedSink) {
    ComPtr<IConnectionPoint> notify;
    ASSERT_EQ(S_OK, cpc->FindConnectionPoint(IID_IPropertyNotifySink, notify.put()));
    auto s1 = PropertyNotifySink::Create(), s2 = PropertyNotifySink::Create();
    DWORD c1 = 0, c2 = 0;
    ASSERT_EQ(S_OK, notify->Advise(s1.get(), &c1));
    ASSERT_EQ(S_OK, notify->Advise(s2.get(), &c2));
    probe->PropertyChanged(0x68030009);
    EXPECT_EQ(std::vector<DISPID>{0x68030009}, s1->changed);
    EXPECT_EQ(std::vector<DISPID>{0x68030009}, s2->changed);
    // A sink without IPropertyNotifySink is refused.
    auto wrong = EventSink::Create();
    DWORD cw = 0;
    EXPECT_EQ(CONNECT_E_CANNOTCONNECT, notify->Advise(static_cast<IDispatch*>(wrong.get()), &cw));
    EXPECT_EQ(E_POINTER, notify->Advise(nullptr, &cw));
}

TEST_F(ConnectionPointTest, ContainerAdvisesItsSinks) {
    RecordingWindow form;
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    auto* p = static_cast<ProbeControl*>(static_cast<IOleObject*>(c.Query<IOleObject>(IID_IOleObject).get()));
    VARIANT help;
    BSTR text = SysAllocString(L"Opens a file");
    V_VT(&help) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&help) = &text;
    VARIANT args[2] = {help, {}};
    V_VT(&args[1]) = VT_DISPATCH;
    V_DISPATCH(&args[1]) = nullptr;
    c.events().onEvent = [](DISPID, DISPPARAMS* dp) {
        SysFreeString(*V_BSTRREF(&dp->rgvarg[0]));
        *V_BSTRREF(&dp->rgvarg[0]) = SysAllocString(L"Replaced");
    };
    DISPPARAMS dp{args, nullptr, 2, 0};
    p->FireEvent(DISPID_ShowMenuHelp, &dp);
    ASSERT_EQ(1, c.events().Count(DISPID_ShowMenuHelp));
    EXPECT_EQ(L"Opens a file", c.events().calls[0].args[1].Text());
    EXPECT_STREQ(L"Replaced", text);
    SysFreeString(text);
    ASSERT_EQ(S_OK, c.Close());
    // Close unadvised the container's sinks.
    p->FireEvent(DISPID_ClearMenuHelp, nullptr);
    EXPECT_EQ(0, c.events().Count(DISPID_ClearMenuHelp));
}

}  // namespace
}  // namespace quillon::test
