#include "control/FormLocator.h"
#include "control/LateBound.h"

namespace quillon {

FormInfo::~FormInfo() {
    if (form) form->Release();
}

namespace FormLocator {
namespace {

// A container whose "Parent" chain loops would otherwise keep us forever.
constexpr int kMaxParentChain = 64;

bool IsMdiChildWindow(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0; }

bool ReadWindowHandle(IDispatch* object, HWND& hwnd) {
    VARIANT v;
    if (!LateBound::GetProperty(object, L"hWnd", &v)) return false;
    bool ok = SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I8));
    // Window handles carry 32 significant bits, sign-extended on 64-bit Windows.
    if (ok) hwnd = reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<LONG>(V_I8(&v))));
    VariantClear(&v);
    return ok;
}

void Classify(FormInfo& form) {
    form.isMdiFrame = form.hwnd && FindMDIClient(form.hwnd) != nullptr;
    form.isMdiChild = false;
    if (form.isMdiFrame) return;
    if (form.form && LateBound::MemberId(form.form, L"MDIChild") != DISPID_UNKNOWN) {
        VARIANT v;
        if (LateBound::GetProperty(form.form, L"MDIChild", &v)) {
            if (SUCCEEDED(VariantChangeType(&v, &v, 0, VT_BOOL))) form.isMdiChild = V_BOOL(&v) == VARIANT_TRUE;
            VariantClear(&v);
        }
    } else if (form.hwnd) {
        form.isMdiChild = IsMdiChildWindow(form.hwnd);
    }
}

}  // namespace

HWND GetTopLevelAncestor(HWND hwnd) noexcept {
    if (!hwnd || !IsWindow(hwnd)) return nullptr;
    for (HWND parent = GetParent(hwnd); parent; parent = GetParent(hwnd)) hwnd = parent;
    return hwnd;
}

HWND FindMDIClient(HWND hwnd) noexcept {
    if (!hwnd) return nullptr;
    return FindWindowExA(hwnd, nullptr, "MDIClient", nullptr);
}

bool FindParentForm(IDispatch* start, FormInfo& form) noexcept {
    IDispatch* current = start;
    if (current) current->AddRef();
    for (int step = 0; current && step < kMaxParentChain; ++step) {
        if (LateBound::MemberId(current, L"hWnd") != DISPID_UNKNOWN) {
            form.form = current;
            ReadWindowHandle(current, form.hwnd);
            Classify(form);
            return true;
        }
        IDispatch* parent = LateBound::GetObjectProperty(current, L"Parent");
        current->Release();
        current = parent;
    }
    if (current) current->Release();
    return false;
}

bool FindFormWindow(HWND site, FormInfo& form) noexcept {
    for (HWND w = site; w && IsWindow(w); w = GetParent(w)) {
        bool topLevel = (GetWindowLongA(w, GWL_STYLE) & WS_CHILD) == 0;
        if (topLevel || IsMdiChildWindow(w)) {
            form.hwnd = w;
            Classify(form);
            return true;
        }
    }
    return false;
}

bool IsOnThisThread(HWND hwnd) noexcept {
    return hwnd && GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId();
}

bool IsActiveMdiChild(HWND child) noexcept {
    HWND client = child ? GetParent(child) : nullptr;
    char name[16] = {};
    if (!client || !GetClassNameA(client, name, sizeof name) || lstrcmpiA(name, "MDIClient") != 0) return false;
    return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) == child;
}

}  // namespace FormLocator
}  // namespace quillon
