#pragma once
// Shared pieces of the menu model tests: a hooked form with the real
// control, popup menus opened by WM_INITMENUPOPUP, pictures, and a
// late-bound stand-in for the host's image list.
#include <windows.h>
#include <olectl.h>
#include <functional>
#include <map>
#include <string>
#include "menu/ItemCollection.h"
#include "menu/MenuItem.h"
#include "tests/control/HostedControl.h"
#include "tests/support/Pictures.h"

namespace quillon::test {

// A 16 by 16 (or w by h) bitmap picture that owns its bitmap.
inline ComPtr<IPictureDisp> MakeBitmapPicture(int w = 16, int h = 16) {
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    return PictureOwning(bmp);
}

// A bitmap picture drawn by `paint` into its own bitmap.
template <class Paint>
ComPtr<IPictureDisp> PaintedPicture(int w, int h, Paint paint) {
    ComPtr<IPictureDisp> pic = MakeBitmapPicture(w, h);
    OLE_HANDLE handle = 0;
    pic.As<IPicture>(IID_IPicture)->get_Handle(&handle);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
    paint(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    return pic;
}

inline void FillWith(HDC dc, RECT r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// A picture of one colour, and one with a dark square in its middle.
inline ComPtr<IPictureDisp> SolidPicture(COLORREF color, int w = 16, int h = 16) {
    return PaintedPicture(w, h, [=](HDC dc) { FillWith(dc, {0, 0, w, h}, color); });
}
inline ComPtr<IPictureDisp> MarkedPicture(COLORREF color, int size = 16) {
    return PaintedPicture(size, size, [=](HDC dc) {
        FillWith(dc, {0, 0, size, size}, color);
        FillWith(dc, {size / 4, size / 4, size * 3 / 4, size * 3 / 4}, RGB(20, 20, 20));
    });
}

inline ComPtr<IFontDisp> MakeFont(const wchar_t* name = L"Arial", LONG points = 10) {
    FONTDESC fd{};
    fd.cbSizeofstruct = sizeof fd;
    fd.lpstrName = const_cast<LPOLESTR>(name);
    fd.cySize.int64 = static_cast<LONGLONG>(points) * 10000;
    fd.sWeight = FW_NORMAL;
    ComPtr<IFontDisp> font;
    OleCreateFontIndirect(&fd, IID_IFontDisp, font.put_void());
    return font;
}

inline ComPtr<IFont> AsFont(IFontDisp* font) { return ComPtr<IFontDisp>(font).As<IFont>(IID_IFont); }

// An IDispatch whose members are named functions; GetIDsOfNames ignores case.
class FakeObject final : public IDispatch {
public:
    using Member = std::function<HRESULT(DISPPARAMS*, VARIANT*)>;
    static ComPtr<FakeObject> Create() { return ComPtr<FakeObject>::Adopt(new FakeObject()); }
    void Add(const std::wstring& name, Member m) {
        m_names.push_back(name);
        m_members.push_back(std::move(m));
    }
    std::vector<std::wstring> asked;  // names looked up

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = --m_refs;
        if (!n) delete this;
        return static_cast<ULONG>(n);
    }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override {
        *n = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        asked.push_back(names[0]);
        for (size_t i = 0; i < m_names.size(); ++i)
            if (lstrcmpiW(m_names[i].c_str(), names[0]) == 0) {
                ids[0] = static_cast<DISPID>(i + 1);
                return S_OK;
            }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override {
        if (id < 1 || static_cast<size_t>(id) > m_members.size()) return DISP_E_MEMBERNOTFOUND;
        return m_members[static_cast<size_t>(id - 1)](params, result);
    }

private:
    FakeObject() = default;
    LONG m_refs = 1;
    std::vector<std::wstring> m_names;
    std::vector<Member> m_members;
};

inline HRESULT ReturnObject(VARIANT* result, IDispatch* object) {
    if (!result) return S_OK;
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = object;
    if (object) object->AddRef();
    return S_OK;
}

// An image list with ListImages.Item(key).Picture for the given keys; an
// unknown key fails the way a real collection does.
inline ComPtr<FakeObject> MakeImageList(const std::map<std::wstring, ComPtr<IPictureDisp>>& pictures) {
    auto images = FakeObject::Create();
    images->Add(L"Item", [pictures](DISPPARAMS* params, VARIANT* result) -> HRESULT {
        if (!params || params->cArgs != 1 || V_VT(&params->rgvarg[0]) != VT_BSTR) return DISP_E_TYPEMISMATCH;
        auto it = pictures.find(V_BSTR(&params->rgvarg[0]));
        if (it == pictures.end()) return DISP_E_EXCEPTION;  // "Element not found"
        auto image = FakeObject::Create();
        ComPtr<IPictureDisp> pic = it->second;
        image->Add(L"Picture", [pic](DISPPARAMS*, VARIANT* r) { return ReturnObject(r, pic.get()); });
        return ReturnObject(result, image.get());
    });
    auto list = FakeObject::Create();
    list->Add(L"ListImages", [images](DISPPARAMS*, VARIANT* r) { return ReturnObject(r, images.get()); });
    return list;
}

// A form with a real control; the control's first menu-bar scan (its 5 ms
// timer) has run when the constructor returns.
struct MenuForm {
    explicit MenuForm(HMENU bar = nullptr) { Start(bar); }
    // A form of a Unicode window class.
    MenuForm(UnicodeClass unicode, const wchar_t* title, HMENU bar = nullptr) : window(unicode, title) { Start(bar); }
    void Start(HMENU bar) {
        if (bar) SetMenu(window.hwnd(), bar);
        control = std::make_unique<HostedControl>(window.hwnd());
        PumpMessages(40);
    }
    Quillon* q() const { return control->control; }
    EventSink& events() { return control->container.events(); }

    // What the form does when the popup `menu` is about to open.
    LRESULT Open(HMENU menu, LPARAM lParam = 0) {
        return SendMessageA(window.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), lParam);
    }
    // The record behind the item at `position`, by its application value.
    CMenuItem* Record(HMENU menu, int position) const {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_DATA;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return nullptr;
        return q()->RecordOfItem(info.dwItemData);
    }
    MEASUREITEMSTRUCT Measure(ULONG_PTR itemData, LRESULT* answer = nullptr) {
        MEASUREITEMSTRUCT mis{};
        mis.CtlType = ODT_MENU;
        mis.itemData = itemData;
        LRESULT r = SendMessageA(window.hwnd(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
        if (answer) *answer = r;
        return mis;
    }
    MEASUREITEMSTRUCT Measure(const CMenuItem* item, LRESULT* answer = nullptr) {
        return Measure(item->AccessibleData(), answer);
    }
    ~MenuForm() {
        control.reset();
        PumpMessages(0);
    }

    RecordingWindow window;
    std::unique_ptr<HostedControl> control;
};

inline UINT TypeOf(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info.fType;
}

inline ULONG_PTR DataOf(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return info.dwItemData;
}

inline std::string StringOf(HMENU menu, int position) {
    char text[128] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

}  // namespace quillon::test
