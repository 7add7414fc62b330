// The OLE control plumbing on a probe control: misc status, lifecycle of
// Terminate, verbs and extent, design-time drawing, ambients and the site.
#include <gtest/gtest.h>
#include "control/Guids.h"
#include "tests/com/ProbeControl.h"
#include "tests/support/TestContainer.h"
#include "tests/support/TestWindows.h"

namespace quillon::test {
namespace {

ProbeControl* Probe(TestContainer& c) {
    // The container's IUnknown is the control's IOleObject; the probe is the
    // object behind it.
    return static_cast<ProbeControl*>(static_cast<IOleObject*>(c.Query<IOleObject>(IID_IOleObject).get()));
}

class OleControlTest : public ::testing::Test {
protected:
    std::shared_ptr<ProbeLog> log = std::make_shared<ProbeLog>();
    RecordingWindow form;
};

TEST_F(OleControlTest, MiscStatusIsAnsweredByTheObject) {
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    auto object = c.Query<IOleObject>(IID_IOleObject);
    DWORD status = 0;
    ASSERT_EQ(S_OK, object->GetMiscStatus(DVASPECT_CONTENT, &status));
    EXPECT_EQ(static_cast<DWORD>(OLEMISC_SETCLIENTSITEFIRST | OLEMISC_INVISIBLEATRUNTIME |
                                 OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT),
              status);
}

TEST_F(OleControlTest, TerminateRunsOnceForCloseThenUnsiteThenRelease) {
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    EXPECT_EQ(1, log->initialize);
    ASSERT_EQ(S_OK, c.InitNew());
    EXPECT_EQ(1, log->initProperties);
    auto object = c.Query<IOleObject>(IID_IOleObject);
    ASSERT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    EXPECT_EQ(1, log->terminate);
    EXPECT_TRUE(Probe(c)->Terminated());
    ASSERT_EQ(S_OK, object->SetClientSite(nullptr));
    EXPECT_EQ(1, log->terminate);
    object.Reset();
    EXPECT_EQ(0u, c.ReleaseControl());
    EXPECT_EQ(1, log->terminate);
}

TEST_F(OleControlTest, UnsitingTerminatesBeforeClose) {
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    auto object = c.Query<IOleObject>(IID_IOleObject);
    ASSERT_EQ(S_OK, object->SetClientSite(nullptr));
    EXPECT_EQ(1, log->terminate);
    ASSERT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    EXPECT_EQ(1, log->terminate);
}

TEST_F(OleControlTest, FinalReleaseTerminatesAtTheLatest) {
    ProbeControl* p = ProbeControl::New(log);
    EXPECT_EQ(1, log->initialize);
    EXPECT_EQ(0, log->terminate);
    EXPECT_EQ(0u, p->Release());
    EXPECT_EQ(1, log->terminate);
}

TEST_F(OleControlTest, VerbsSucceedAndInPlaceSiteIsTold) {
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    ASSERT_EQ(S_OK, c.InitNew());
    EXPECT_EQ(S_OK, c.DoVerb(OLEIVERB_INPLACEACTIVATE));
    EXPECT_EQ(S_OK, c.DoVerb(OLEIVERB_SHOW));
    EXPECT_EQ(S_OK, c.DoVerb(OLEIVERB_UIACTIVATE));
    EXPECT_EQ(S_OK, c.DoVerb(OLEIVERB_HIDE));
    EXPECT_EQ(1, c.inPlaceActivations());
    auto ipo = c.Query<IOleInPlaceObject>(IID_IOleInPlaceObject);
    HWND own = reinterpret_cast<HWND>(1);
    EXPECT_EQ(E_FAIL, ipo->GetWindow(&own));  // windowless
    EXPECT_EQ(nullptr, own);
    EXPECT_EQ(S_OK, c.Close());
    EXPECT_EQ(1, c.inPlaceDeactivations());
}

TEST_F(OleControlTest, PlainContainerWithoutDoVerb) {
    TestContainer c(form.hwnd(), {.plain = true});
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    ASSERT_EQ(S_OK, c.InitNew());
    ProbeControl* p = Probe(c);
    EXPECT_EQ(nullptr, p->Extender());
    EXPECT_EQ(c.siteWindow(), p->SiteWindow());
    EXPECT_NE(form.hwnd(), c.siteWindow());
    EXPECT_EQ(form.hwnd(), GetParent(c.siteWindow()));
    // No IDispatch on the site: the defaults apply.
    EXPECT_TRUE(p->AmbientUserMode());
    EXPECT_FALSE(p->AmbientRightToLeft());
    EXPECT_EQ(S_OK, c.DoVerb(OLEIVERB_INPLACEACTIVATE));  // no IOleInPlaceSite: still fine
    EXPECT_EQ(S_OK, c.Close());
    EXPECT_EQ(1, log->terminate);
}

TEST_F(OleControlTest, ExtentIsTheDesignPictureAndFixed) {
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    auto object = c.Query<IOleObject>(IID_IOleObject);
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    SIZEL size{};
    ASSERT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &size));
    EXPECT_EQ(MulDiv(32, 2540, dpiX), size.cx);
    EXPECT_EQ(MulDiv(32, 2540, dpiY), size.cy);
    SIZEL other{5000, 5000};
    EXPECT_EQ(E_FAIL, object->SetExtent(DVASPECT_CONTENT, &other));
    SIZEL again{};
    object->GetExtent(DVASPECT_CONTENT, &again);
    EXPECT_EQ(size.cx, again.cx);
    EXPECT_EQ(S_OK, object->SetExtent(DVASPECT_CONTENT, &size));
    auto view = c.Query<IViewObject2>(IID_IViewObject2);
    SIZEL viewSize{};
    ASSERT_EQ(S_OK, view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &viewSize));
    EXPECT_EQ(size.cx, viewSize.cx);
    EXPECT_EQ(size.cy, viewSize.cy);
}

TEST_F(OleControlTest, DrawPaintsTheDesignPicture) {
    TestContainer c(form.hwnd(), {.userMode = false});
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    auto view = c.Query<IViewObject2>(IID_IViewObject2);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all{0, 0, 64, 64};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &all, red);
    DeleteObject(red);
    RECTL bounds{0, 0, 32, 32};
    ASSERT_EQ(S_OK, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0));
    // Picture: silver margin, black frame at (2,2) (one art pixel = 2 x 2).
    EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), GetPixel(dc, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), GetPixel(dc, 2, 2));
    EXPECT_EQ(RGB(0xFF, 0xFF, 0xFF), GetPixel(dc, 4, 4));
    EXPECT_EQ(RGB(0, 0, 0xFF), GetPixel(dc, 4, 14));  // highlight bar
    EXPECT_EQ(RGB(255, 0, 0), GetPixel(dc, 40, 40));  // outside the bounds: untouched
    EXPECT_EQ(DV_E_DVASPECT,
              view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
}

TEST_F(OleControlTest, AmbientsComeFromTheSiteEachTime) {
    TestContainer c(form.hwnd(), {.userMode = false, .rightToLeft = true});
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    ProbeControl* p = Probe(c);
    EXPECT_FALSE(p->AmbientUserMode());
    EXPECT_TRUE(p->AmbientRightToLeft());
    c.SetUserMode(true);
    c.SetRightToLeft(false);
    EXPECT_TRUE(p->AmbientUserMode());
    EXPECT_FALSE(p->AmbientRightToLeft());
    c.SetUserMode(std::nullopt);
    c.SetRightToLeft(std::nullopt);
    EXPECT_TRUE(p->AmbientUserMode());
    EXPECT_FALSE(p->AmbientRightToLeft());
    EXPECT_EQ(3, c.AmbientRequests(DISPID_AMBIENT_USERMODE));
    EXPECT_EQ(3, c.AmbientRequests(DISPID_AMBIENT_RIGHTTOLEFT));
}

TEST_F(OleControlTest, AmbientFontOrTheSystemMessageFont) {
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    ProbeControl* p = Probe(c);
    // No ambient font: an OLE font made from the system message font.
    ComPtr<IFontDisp> fallback = ComPtr<IFontDisp>::Adopt(p->AmbientFont());
    ASSERT_TRUE(fallback);
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof ncm;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0));
    FONTDESC fd{sizeof fd, ncm.lfMessageFont.lfFaceName, {}, 400, DEFAULT_CHARSET, FALSE, FALSE, FALSE};
    fd.cySize.int64 = 8 * 10000;
    ComPtr<IFont> sameFace;
    ASSERT_EQ(S_OK, OleCreateFontIndirect(&fd, IID_IFont, sameFace.put_void()));
    auto font = fallback.As<IFont>(IID_IFont);
    BSTR a = nullptr, b = nullptr;
    font->get_Name(&a);
    sameFace->get_Name(&b);
    EXPECT_STREQ(b, a);  // compared with a font of the same face, as Wine substitutes faces
    SysFreeString(a);
    SysFreeString(b);
    CY size{};
    font->get_Size(&size);
    EXPECT_GT(size.int64, 0);

    // An ambient font is handed out as it is.
    fd.cySize.int64 = 14 * 10000;
    ComPtr<IFontDisp> ambient;
    ASSERT_EQ(S_OK, OleCreateFontIndirect(&fd, IID_IFontDisp, ambient.put_void()));
    c.SetFont(ambient.get());
    ComPtr<IFontDisp> got = ComPtr<IFontDisp>::Adopt(p->AmbientFont());
    ComPtr<IUnknown> u1 = got.As<IUnknown>(IID_IUnknown), u2 = ambient.As<IUnknown>(IID_IUnknown);
    EXPECT_EQ(u2.get(), u1.get());
}

TEST_F(OleControlTest, ExtenderAndSiteWindow) {
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    ProbeControl* p = Probe(c);
    ComPtr<IDispatch> ext = ComPtr<IDispatch>::Adopt(p->Extender());
    ASSERT_TRUE(ext);
    EXPECT_EQ(static_cast<IDispatch*>(c.extender()), ext.get());
    EXPECT_EQ(form.hwnd(), p->SiteWindow());
}

TEST_F(OleControlTest, ClassInfoAndErrorInfoSupport) {
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    auto pci = c.Query<IProvideClassInfo2>(IID_IProvideClassInfo2);
    ASSERT_TRUE(pci);
    ComPtr<ITypeInfo> ti;
    ASSERT_EQ(S_OK, pci->GetClassInfo(ti.put()));
    TYPEATTR* ta = nullptr;
    ASSERT_EQ(S_OK, ti->GetTypeAttr(&ta));
    EXPECT_EQ(TKIND_COCLASS, ta->typekind);
    EXPECT_TRUE(IsEqualGUID(CLSID_Quillon, ta->guid));
    ti->ReleaseTypeAttr(ta);
    GUID source{};
    ASSERT_EQ(S_OK, pci->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    EXPECT_TRUE(IsEqualGUID(DIID___Quillon, source));
    EXPECT_EQ(E_INVALIDARG, pci->GetGUID(12345, &source));

    auto sei = c.Query<ISupportErrorInfo>(IID_ISupportErrorInfo);
    EXPECT_EQ(S_OK, sei->InterfaceSupportsErrorInfo(IID__Quillon));
    EXPECT_EQ(S_FALSE, sei->InterfaceSupportsErrorInfo(IID_IOleObject));

    CLSID clsid{};
    auto persist = c.Query<IPersistStreamInit>(IID_IPersistStreamInit);
    ASSERT_EQ(S_OK, persist->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualGUID(CLSID_Quillon, clsid));
}

TEST_F(OleControlTest, EveryInterfaceSharesOneIdentity) {
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(log)));
    const IID iids[] = {IID_IOleObject,          IID_IOleControl,   IID_IOleInPlaceObject, IID_IViewObject2,
                        IID_IPersistPropertyBag, IID_IPersistStreamInit, IID_IConnectionPointContainer,
                        IID_IProvideClassInfo2,  IID_ISupportErrorInfo, IID__Quillon, IID_IDispatch};
    ComPtr<IUnknown> identity = c.Query<IUnknown>(IID_IUnknown);
    for (const IID& iid : iids) {
        ComPtr<IUnknown> p = c.Query<IUnknown>(iid);
        ASSERT_TRUE(p);
        EXPECT_EQ(identity.get(), p.As<IUnknown>(IID_IUnknown).get());
    }
    ComPtr<IUnknown> none;
    EXPECT_EQ(E_NOINTERFACE, c.control()->QueryInterface(IID_IClassFactory, none.put_void()));
}

}  // namespace
}  // namespace quillon::test
