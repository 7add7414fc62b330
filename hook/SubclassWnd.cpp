#include "hook/SubclassWnd.h"
#include <unordered_map>
#include "hook/Guard.h"

namespace quillon::SubclassWnd {
namespace {

// Each entry holds one reference to its record.
using Registry = std::unordered_map<HWND, cSubclassInfo*>;

// A reference to a record for the length of one call.
class RecordRef {
public:
    explicit RecordRef(cSubclassInfo* record) noexcept : m_record(record) {
        if (m_record) m_record->AddRef();
    }
    ~RecordRef() {
        if (m_record) m_record->Release();
    }
    RecordRef(const RecordRef&) = delete;
    RecordRef& operator=(const RecordRef&) = delete;
    cSubclassInfo* operator->() const noexcept { return m_record; }
    cSubclassInfo* get() const noexcept { return m_record; }
    explicit operator bool() const noexcept { return m_record != nullptr; }

private:
    cSubclassInfo* m_record;
};

// Created on first use and kept for the thread's life. A plain pointer keeps
// the thread-local trivially destructible (no TLS destructor in a DLL).
thread_local Registry* t_hookedWindows = nullptr;

Registry& Windows() {
    if (!t_hookedWindows) t_hookedWindows = new Registry();
    return *t_hookedWindows;
}

bool RegistryEmpty() noexcept { return !t_hookedWindows || t_hookedWindows->empty(); }

cSubclassInfo* Lookup(HWND hwnd) noexcept {
    if (RegistryEmpty()) return nullptr;
    auto it = t_hookedWindows->find(hwnd);
    return it == t_hookedWindows->end() ? nullptr : it->second;
}

cSubclassInfo& RequireRecord(HWND hwnd) {
    auto* registry = t_hookedWindows;
    auto it = registry->find(hwnd);
    if (it == registry->end()) throw Win32Failure(HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE));
    return *it->second;
}

// A Unicode window is subclassed with the Unicode functions, an ANSI one
// with the ANSI functions, so no text that passes through it is squeezed
// through the ANSI code page. Reading, replacing and calling the previous
// procedure always use the same set.
WNDPROC ReadProc(HWND hwnd, bool unicode) noexcept {
    return reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC)
                                             : GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}

LONG_PTR WriteProc(HWND hwnd, bool unicode, WNDPROC proc) noexcept {
    const auto value = reinterpret_cast<LONG_PTR>(proc);
    return unicode ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, value) : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, value);
}

LRESULT CallPrevious(const cSubclassInfo& record, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return record.unicode ? CallWindowProcW(record.oldWndProc, hwnd, msg, wParam, lParam)
                          : CallWindowProcA(record.oldWndProc, hwnd, msg, wParam, lParam);
}

}  // namespace

void HookWindow(HWND hwnd, cSubclassListener* listener) {
    if (!hwnd) return;
    UnhookWindow(hwnd);
    Registry& windows = Windows();
    windows.reserve(windows.size() + 1);  // no throw once the procedure is replaced
    auto* record = new cSubclassInfo(hwnd, listener);
    record->unicode = IsWindowUnicode(hwnd) != FALSE;
    record->oldWndProc = ReadProc(hwnd, record->unicode);
    SetLastError(0);
    if (!WriteProc(hwnd, record->unicode, &SharedWindowProc) && GetLastError() != 0) {
        record->Release();
        ThrowLastError();
    }
    windows[hwnd] = record;
}

void UnhookWindow(HWND hwnd) noexcept {
    if (RegistryEmpty()) return;
    auto it = t_hookedWindows->find(hwnd);
    if (it == t_hookedWindows->end()) return;
    // Out of the registry first: releasing the record's listener may run
    // code that looks at the registry again.
    cSubclassInfo* record = it->second;
    t_hookedWindows->erase(it);
    if (IsWindow(hwnd)) WriteProc(hwnd, record->unicode, record->oldWndProc);
    record->Release();
}

bool IsWindowHooked(HWND hwnd) noexcept { return Lookup(hwnd) != nullptr; }

LRESULT CallOriginalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (RegistryEmpty()) return 0;
    return CallPrevious(RequireRecord(hwnd), hwnd, msg, wParam, lParam);
}

void HookWindowMessage(HWND hwnd, UINT msg) {
    if (RegistryEmpty()) return;
    cSubclassInfo& record = RequireRecord(hwnd);
    if (!record.IsMessageHooked(msg)) record.AddMessage(msg);
}

void UnhookWindowMessage(HWND hwnd, UINT msg) noexcept {
    if (cSubclassInfo* record = Lookup(hwnd)) record->RemoveMessage(msg);
}

LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    bool routeToOriginal = false;
    if (RegistryEmpty()) return result;

    // The local reference keeps the record (and its oldWndProc) valid even
    // when a nested call unhooks this window.
    RecordRef record(Lookup(hwnd));
    if (!record) return result;

    if (record->IsMessageHooked(msg)) {
        routeToOriginal = true;
        Trap([&] { result = record->listener->WindowMsgListener(hwnd, msg, wParam, lParam, routeToOriginal); });
    } else {
        routeToOriginal = true;
    }

    if (msg == WM_NCDESTROY) {
        UnhookWindow(hwnd);
        routeToOriginal = true;
    }

    if (routeToOriginal) {
        Trap([&] { result = CallPrevious(*record.get(), hwnd, msg, wParam, lParam); });
    }
    return result;
}

size_t HookedWindowCount() noexcept { return RegistryEmpty() ? 0 : t_hookedWindows->size(); }

const cSubclassInfo* FindRecord(HWND hwnd) noexcept { return Lookup(hwnd); }

bool ReceivesUnicode(HWND hwnd) noexcept {
    const cSubclassInfo* record = Lookup(hwnd);
    return record ? record->unicode : IsWindowUnicode(hwnd) != FALSE;
}

}  // namespace quillon::SubclassWnd
