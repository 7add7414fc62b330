// QuillonLib.dll as an in-process server without registration: the class
// object, DllCanUnloadNow, and the control hosted from the DLL.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "QuillonVersion.h"
#include "control/Guids.h"
#include "control/ole/ComPtr.h"
#include "tests/support/TestContainer.h"
#include "tests/support/TestWindows.h"

namespace quillon::test {
namespace {

using GetClassObjectFn = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
using CanUnloadFn = HRESULT(STDAPICALLTYPE*)();

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        dll = LoadLibraryA("QuillonLib.dll");
        ASSERT_NE(nullptr, dll);
        getClassObject = reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
        canUnload = reinterpret_cast<CanUnloadFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
        ASSERT_NE(nullptr, getClassObject);
        ASSERT_NE(nullptr, canUnload);
    }
    // The module stays loaded: its objects may still be referenced by Wine's caches.

    HMODULE dll = nullptr;
    GetClassObjectFn getClassObject = nullptr;
    CanUnloadFn canUnload = nullptr;
};

TEST_F(ServerTest, ExportsHavePlainNames) {
    for (const char* name : {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer",
                             "DllInstall"})
        EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(dll, name))) << name;
}

TEST_F(ServerTest, ClassObjectOnlyForQuillon) {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(CLSID_CMenuItem, IID_IClassFactory, factory.put_void()));
    EXPECT_FALSE(factory);
    ASSERT_EQ(S_OK, getClassObject(CLSID_Quillon, IID_IClassFactory, factory.put_void()));
    ComPtr<IUnknown> outer;
    ASSERT_EQ(S_OK, getClassObject(CLSID_Quillon, IID_IUnknown, outer.put_void()));
    ComPtr<IUnknown> obj;
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(outer.get(), IID_IUnknown, obj.put_void()));
    EXPECT_FALSE(obj);
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IClassFactory, obj.put_void()));
}

TEST_F(ServerTest, CanUnloadOnlyWithoutObjectsAndLocks) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, getClassObject(CLSID_Quillon, IID_IClassFactory, factory.put_void()));
    EXPECT_EQ(S_OK, canUnload());
    ComPtr<IOleObject> a, b;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IOleObject, a.put_void()));
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IOleObject, b.put_void()));
    EXPECT_EQ(S_FALSE, canUnload());
    a->Close(OLECLOSE_NOSAVE);
    a.Reset();
    EXPECT_EQ(S_FALSE, canUnload());
    b.Reset();
    EXPECT_EQ(S_OK, canUnload());
    ASSERT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(S_FALSE, canUnload());
    ASSERT_EQ(S_OK, factory->LockServer(TRUE));
    ASSERT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(S_FALSE, canUnload());
    ASSERT_EQ(S_OK, factory->LockServer(FALSE));
    EXPECT_EQ(S_OK, canUnload());
}

TEST_F(ServerTest, ALiveEnumeratorOfConnectionsKeepsTheModuleLoaded) {
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, getClassObject(CLSID_Quillon, IID_IClassFactory, factory.put_void()));
    ComPtr<IEnumConnections> connections;
    {
        ComPtr<IConnectionPointContainer> control;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IConnectionPointContainer, control.put_void()));
        ComPtr<IConnectionPoint> point;
        ASSERT_EQ(S_OK, control->FindConnectionPoint(DIID___Quillon, point.put()));
        ASSERT_EQ(S_OK, point->EnumConnections(connections.put()));
        control.As<IOleObject>(IID_IOleObject)->Close(OLECLOSE_NOSAVE);
    }
    EXPECT_EQ(S_FALSE, canUnload()) << "the enumerator's code is the module's";
    connections.Reset();
    EXPECT_EQ(S_OK, canUnload());
}

// One version, from the build, in the type library and in the VERSIONINFO
// that Explorer and installers read, of both libraries and DemoHost.
TEST(Versions, EveryDeliverableCarriesTheBuildsVersion) {
    const std::string text = QUILLON_VERSION_TEXT;
    for (const wchar_t* file : {L"QuillonLib.dll", L"QuillonRes.dll", L"..\\demo\\DemoHost.exe"}) {
        SCOPED_TRACE(std::wstring(file).size());
        DWORD ignored = 0;
        std::vector<BYTE> data(GetFileVersionInfoSizeW(file, &ignored));
        ASSERT_FALSE(data.empty());
        ASSERT_TRUE(GetFileVersionInfoW(file, 0, static_cast<DWORD>(data.size()), data.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        wchar_t* product = nullptr;
        UINT n = 0;
        ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &n));
        EXPECT_EQ(static_cast<DWORD>(MAKELONG(QUILLON_VERSION_MINOR, QUILLON_VERSION_MAJOR)), fixed->dwFileVersionMS);
        EXPECT_EQ(static_cast<DWORD>(MAKELONG(0, QUILLON_VERSION_PATCH)), fixed->dwProductVersionLS);
        ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\ProductVersion",
                                   reinterpret_cast<void**>(&product), &n));
        EXPECT_EQ(std::wstring(text.begin(), text.end()), product);
    }
    ComPtr<ITypeLib> lib;
    ASSERT_EQ(S_OK, LoadTypeLibEx(L"QuillonLib.dll", REGKIND_NONE, lib.put()));
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(S_OK, lib->GetLibAttr(&attr));
    EXPECT_EQ(QUILLON_VERSION_MAJOR, attr->wMajorVerNum);
    EXPECT_EQ(QUILLON_VERSION_MINOR, attr->wMinorVerNum);
    lib->ReleaseTLibAttr(attr);
}

TEST_F(ServerTest, ControlFromTheDllInATestContainer) {
    RecordingWindow form;
    TestContainer c(form.hwnd(), {.userMode = false});  // design mode: nothing is hooked
    ASSERT_EQ(S_OK, c.Create(DllFactory()));
    ASSERT_EQ(S_OK, c.InitNew());
    {
        auto object = c.Query<IOleObject>(IID_IOleObject);
        ASSERT_TRUE(object);
        DWORD status = 0;
        ASSERT_EQ(S_OK, object->GetMiscStatus(DVASPECT_CONTENT, &status));
        EXPECT_TRUE(status & OLEMISC_INVISIBLEATRUNTIME);
        EXPECT_TRUE(status & OLEMISC_SETCLIENTSITEFIRST);
        auto pci = c.Query<IProvideClassInfo2>(IID_IProvideClassInfo2);
        ComPtr<ITypeInfo> ti;
        ASSERT_EQ(S_OK, pci->GetClassInfo(ti.put()));  // from the DLL's own resources
        EXPECT_TRUE(c.Query<IDispatch>(IID__Quillon));
    }
    EXPECT_EQ(S_OK, c.Close());
    EXPECT_EQ(0u, c.ReleaseControl());
    EXPECT_EQ(S_OK, canUnload());
}

}  // namespace
}  // namespace quillon::test
