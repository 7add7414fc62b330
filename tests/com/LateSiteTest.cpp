// Containers that initialise the control before they site it (against
// OLEMISC_SETCLIENTSITEFIRST): attachment runs when the site arrives, once,
// with the results the normal order gives, and never after Terminate, also
// when the container sites and initialises a closed control again.
#include <windows.h>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include "hook/SubclassWnd.h"
#include "tests/control/HostedControl.h"

namespace quillon::test {
namespace {

using Step = std::function<void(IUnknown*)>;

template <class T>
ComPtr<T> As(IUnknown* control, REFIID iid) {
    return ComPtr<IUnknown>(control).As<T>(iid);
}
void BagInitNew(IUnknown* c) { As<IPersistPropertyBag>(c, IID_IPersistPropertyBag)->InitNew(); }
void StreamInitNew(IUnknown* c) { As<IPersistStreamInit>(c, IID_IPersistStreamInit)->InitNew(); }
void Close(IUnknown* c) { As<IOleObject>(c, IID_IOleObject)->Close(OLECLOSE_NOSAVE); }
void Unsite(IUnknown* c) { As<IOleObject>(c, IID_IOleObject)->SetClientSite(nullptr); }
void BagLoad(IUnknown* c) {
    As<IPersistPropertyBag>(c, IID_IPersistPropertyBag)->Load(PropertyBag::Create().get(), nullptr);
}

// The linked control, with `first` done to it before TestContainer sites it.
ControlFactory SitedAfter(Step first) {
    return [first](REFIID riid, void** ppv) {
        HRESULT hr = QuillonFactory()(riid, ppv);
        if (SUCCEEDED(hr)) first(static_cast<IUnknown*>(*ppv));
        return hr;
    };
}

// Sites the control again with the site it has.
void SiteAgain(const TestContainer& c) {
    auto object = c.Query<IOleObject>(IID_IOleObject);
    ComPtr<IOleClientSite> site;
    object->GetClientSite(site.put());
    object->SetClientSite(site.get());
}

TEST(LateSite, AttachesOnceWhenTheSiteArrivesUnlessTheControlTerminated) {
    const struct {
        const char* order;
        Step first;  // before the container sites the control; null: nothing
        Step then;   // after it; null: nothing
        bool attached;
    } cases[] = {
        {"site, InitNew", nullptr, BagInitNew, true},
        {"property bag InitNew, site", BagInitNew, nullptr, true},
        {"stream InitNew, site", StreamInitNew, nullptr, true},
        {"InitNew, Close, site", [](IUnknown* c) { BagInitNew(c); Close(c); }, nullptr, false},
        {"InitNew, SetClientSite(NULL), site", [](IUnknown* c) { BagInitNew(c); Unsite(c); }, nullptr, false},
        // A closed control hooks nothing, whatever the container does next.
        {"SetClientSite(NULL), site, InitNew", Unsite, BagInitNew, false},
        {"Close, site, Load", Close, BagLoad, false},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.order);
        RecordingWindow form;
        SetMenu(form.hwnd(), MakeSampleMenuBar());
        {
            TestContainer c(form.hwnd());
            ASSERT_EQ(S_OK, c.Create(t.first ? SitedAfter(t.first) : QuillonFactory()));
            if (t.then) t.then(c.control());
            SiteAgain(c);
            PumpMessages(30);
            Quillon* q = QuillonOf(c);
            EXPECT_EQ(t.attached, SubclassWnd::IsWindowHooked(form.hwnd()));
            EXPECT_EQ(t.attached, q->IsAttached());
            EXPECT_EQ(t.attached ? 1 : 0, CountTooltipsOwnedBy(form.hwnd()));
            EXPECT_EQ(t.attached ? 1 : 0, q->MenuBarRepaints());
        }
        EXPECT_EQ(0u, SubclassWnd::HookedWindowCount());
    }
}

// What the control is like after a read, sited first or after the read.
struct ReadState {
    bool attached = false, tooltipActive = true, balloon = true, rightToLeft = false, dirty = true;
    COLORREF tipBack = 0;
    bool operator==(const ReadState&) const = default;
};

ReadState StateAfterRead(bool siteFirst) {
    RecordingWindow form;
    SetMenu(form.hwnd(), MakeSampleMenuBar());
    // RightToLeft is absent: it follows the site's ambient.
    auto bag = PropertyBag::Create();
    bag->Set(L"ShowTooltip", Variant::Bool(false));
    bag->Set(L"TootipStyle", Variant::Long(1));
    bag->Set(L"UseCustomColors", Variant::Bool(true));
    bag->Set(L"TootipBackground", Variant::Long(RGB(10, 200, 30)));
    TestContainer c(form.hwnd(), {.rightToLeft = true});
    const Step load = [&](IUnknown* control) {
        As<IPersistPropertyBag>(control, IID_IPersistPropertyBag)->Load(bag.get(), nullptr);
    };
    EXPECT_EQ(S_OK, c.Create(siteFirst ? QuillonFactory() : SitedAfter(load)));
    if (siteFirst) {
        EXPECT_EQ(S_OK, c.Load(bag.get()));
    }
    PumpMessages(30);
    ReadState s;
    Quillon* q = QuillonOf(c);
    s.attached = q->IsAttached() && SubclassWnd::IsWindowHooked(form.hwnd());
    if (const CTooltip* tip = q->Tooltip()) {
        s.tooltipActive = tip->Active();
        s.balloon = tip->BalloonStyle();
        s.tipBack = tip->BackColor();
    }
    s.rightToLeft = q->RightToLeft();
    s.dirty = c.Query<IPersistStreamInit>(IID_IPersistStreamInit)->IsDirty() == S_OK;
    return s;
}

TEST(LateSite, AReadBeforeTheSiteEndsLikeAReadAfterIt) {
    const ReadState first = StateAfterRead(true), late = StateAfterRead(false);
    EXPECT_TRUE(first.attached);
    EXPECT_FALSE(first.tooltipActive);
    EXPECT_FALSE(first.balloon);
    EXPECT_TRUE(first.rightToLeft);
    EXPECT_FALSE(first.dirty);
    EXPECT_EQ(RGB(10, 200, 30), first.tipBack);
    EXPECT_TRUE(first == late);
}

}  // namespace
}  // namespace quillon::test
