#include "hook/SubclassWnd.h"
#include <new>
#include <unordered_map>
#include "hook/Guard.h"

namespace quillon::SubclassWnd {
namespace {

// Each entry holds one reference to the window's newest record; each record
// holds one to the record below it.
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
    void Reset(cSubclassInfo* record) noexcept {
        if (record) record->AddRef();
        if (m_record) m_record->Release();
        m_record = record;
    }
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

// The record of `listener` among the window's records, and the one above it.
cSubclassInfo* RecordOf(cSubclassInfo* top, const cSubclassListener* listener, cSubclassInfo** above = nullptr) noexcept {
    cSubclassInfo* upper = nullptr;
    for (cSubclassInfo* r = top; r; upper = r, r = r->below) {
        if (r->listener && r->listener == listener) {
            if (above) *above = upper;
            return r;
        }
    }
    return nullptr;
}

bool HasListener(const cSubclassInfo* top, const cSubclassInfo* except = nullptr) noexcept {
    for (const cSubclassInfo* r = top; r; r = r->below)
        if (r->listener && r != except) return true;
    return false;
}

// The window's newest record while some listener hooks it.
cSubclassInfo* Listened(HWND hwnd) noexcept {
    cSubclassInfo* top = Lookup(hwnd);
    return HasListener(top) ? top : nullptr;
}

cSubclassInfo& RequireRecord(HWND hwnd, const cSubclassListener* listener = nullptr) {
    cSubclassInfo* top = Listened(hwnd);
    cSubclassInfo* record = top && listener ? RecordOf(top, listener) : top;
    if (!record) throw Win32Failure(HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE));
    return *record;
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

// The record whose listener runs on this thread, innermost call first: a
// listener's CallOriginalWindowProc goes on with the records below its own.
struct Dispatching {
    HWND hwnd;
    cSubclassInfo* record;
    const Dispatching* outer;
};
thread_local const Dispatching* t_dispatching = nullptr;

// Offers the message to the listeners from `record` down, newest first, as
// a chain of subclasses would: one that clears the route flag ends the walk
// with its result (WM_NCDESTROY goes on to everyone). True when one did.
bool OfferToListeners(cSubclassInfo* record, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    for (RecordRef r(record); r; r.Reset(r->below)) {
        if (!r->listener || !r->IsMessageHooked(msg)) continue;
        bool route = true;
        const Dispatching call{hwnd, r.get(), t_dispatching};
        t_dispatching = &call;
        LRESULT answer = 0;
        Trap([&] { answer = r->listener->WindowMsgListener(hwnd, msg, wParam, lParam, route); });
        t_dispatching = call.outer;
        if (!route && msg != WM_NCDESTROY) {
            result = answer;
            return true;
        }
    }
    return false;
}

// Takes the window's records out of the registry. The window's procedure is
// put back only while it is still the shared one; otherwise a later
// subclasser calls the shared procedure, so a record that only passes
// messages on stays until the window is destroyed.
void RemoveRecords(HWND hwnd, bool destroying) noexcept {
    auto it = t_hookedWindows->find(hwnd);
    if (it == t_hookedWindows->end()) return;
    // Out of the registry (or made a pass-through) first: releasing a
    // listener may run code that looks at the registry again.
    cSubclassInfo* top = it->second;
    const bool window = IsWindow(hwnd) != FALSE;
    const bool oursOnTop = window && ReadProc(hwnd, top->unicode) == &SharedWindowProc;
    if (!window || oursOnTop || destroying) {
        t_hookedWindows->erase(it);
        if (oursOnTop) WriteProc(hwnd, top->unicode, top->oldWndProc);
        top->Release();
        return;
    }
    if (!HasListener(top)) return;
    auto* pass = new (std::nothrow) cSubclassInfo(hwnd, nullptr);
    if (!pass) return;
    pass->oldWndProc = top->oldWndProc;
    pass->unicode = top->unicode;
    it->second = pass;
    top->Release();
}

}  // namespace

void HookWindow(HWND hwnd, cSubclassListener* listener) {
    if (!hwnd) return;
    Registry& windows = Windows();
    windows.reserve(windows.size() + 1);  // no throw once the procedure is replaced
    if (cSubclassInfo* top = Lookup(hwnd)) {
        // Hooked again by the same listener: its message list starts empty.
        if (cSubclassInfo* own = RecordOf(top, listener)) {
            own->ClearMessages();
            return;
        }
        // The shared procedure is still in the window's chain: a further
        // listener (or the first, over a pass-through) gets a record on top.
        auto* record = new cSubclassInfo(hwnd, listener);
        record->oldWndProc = top->oldWndProc;
        record->unicode = top->unicode;
        if (HasListener(top)) {
            record->below = top;  // takes over the registry's reference
        } else {
            top->Release();
        }
        windows[hwnd] = record;
        return;
    }
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
    RemoveRecords(hwnd, false);
}

void UnhookWindow(HWND hwnd, cSubclassListener* listener) noexcept {
    cSubclassInfo* top = Listened(hwnd);
    cSubclassInfo* above = nullptr;
    cSubclassInfo* own = top ? RecordOf(top, listener, &above) : nullptr;
    if (!own) return;
    if (!HasListener(top, own)) {
        RemoveRecords(hwnd, false);
        return;
    }
    // Others stay: the record leaves the chain, which skips it from now on.
    if (own->below) own->below->AddRef();
    if (above)
        above->below = own->below;
    else
        (*t_hookedWindows)[hwnd] = own->below;
    own->Release();
}

bool IsWindowHooked(HWND hwnd) noexcept { return Listened(hwnd) != nullptr; }

LRESULT CallOriginalWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (RegistryEmpty()) return 0;
    RecordRef record(&RequireRecord(hwnd));
    // From inside a listener, the listeners hooked before it come first.
    if (t_dispatching && t_dispatching->hwnd == hwnd) {
        LRESULT result = 0;
        if (OfferToListeners(t_dispatching->record->below, hwnd, msg, wParam, lParam, result)) return result;
    }
    return CallPrevious(*record.get(), hwnd, msg, wParam, lParam);
}

void HookWindowMessage(HWND hwnd, UINT msg) { HookWindowMessage(hwnd, msg, nullptr); }

void HookWindowMessage(HWND hwnd, UINT msg, cSubclassListener* listener) {
    if (RegistryEmpty()) return;
    cSubclassInfo& record = RequireRecord(hwnd, listener);
    if (!record.IsMessageHooked(msg)) record.AddMessage(msg);
}

void UnhookWindowMessage(HWND hwnd, UINT msg) noexcept { UnhookWindowMessage(hwnd, msg, nullptr); }

void UnhookWindowMessage(HWND hwnd, UINT msg, cSubclassListener* listener) noexcept {
    cSubclassInfo* top = Listened(hwnd);
    if (cSubclassInfo* record = top && listener ? RecordOf(top, listener) : top) record->RemoveMessage(msg);
}

LRESULT CALLBACK SharedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    // The local reference keeps the record (and its oldWndProc) valid even
    // when a nested call unhooks this window.
    RecordRef record(Lookup(hwnd));
    if (!record) {
        // A window the registry does not know still behaves as a window.
        Trap([&] {
            result = IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, msg, wParam, lParam)
                                           : DefWindowProcA(hwnd, msg, wParam, lParam);
        });
        return result;
    }

    bool handled = false;
    Trap([&] { handled = OfferToListeners(record.get(), hwnd, msg, wParam, lParam, result); });

    if (msg == WM_NCDESTROY) {
        if (!RegistryEmpty()) RemoveRecords(hwnd, true);
        handled = false;
    }

    if (!handled) Trap([&] { result = CallPrevious(*record.get(), hwnd, msg, wParam, lParam); });
    return result;
}

size_t HookedWindowCount() noexcept {
    if (RegistryEmpty()) return 0;
    size_t n = 0;
    for (const auto& entry : *t_hookedWindows) n += HasListener(entry.second);
    return n;
}

const cSubclassInfo* FindRecord(HWND hwnd) noexcept { return Listened(hwnd); }

bool ReceivesUnicode(HWND hwnd) noexcept {
    const cSubclassInfo* record = Lookup(hwnd);
    return record ? record->unicode : IsWindowUnicode(hwnd) != FALSE;
}

}  // namespace quillon::SubclassWnd
