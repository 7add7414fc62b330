#pragma once
// Failure barriers. The control traps its failures statement by statement:
// a failing step is skipped and the next one runs. `Trap` runs one step and
// swallows whatever it throws; on MSVC it also stops structured exceptions
// (access violations and the like), which GCC cannot catch portably.
#include <windows.h>
#include <exception>
#include <new>
#include <utility>

namespace quillon {

namespace detail {
template <class F>
bool TrapCpp(F& f) noexcept {
    try {
        f();
        return true;
    } catch (...) {
        return false;
    }
}
}  // namespace detail

template <class F>
bool Trap(F&& f) noexcept {
#if defined(_MSC_VER)
    __try {
        return detail::TrapCpp(f);
    } __except (EXCEPTION_EXECUTE_HANDLER) {
        return false;
    }
#else
    return detail::TrapCpp(f);
#endif
}

// Thrown by the operations that pass their failures to the caller.
class Win32Failure : public std::exception {
public:
    explicit Win32Failure(HRESULT hr) noexcept : m_hr(hr) {}
    HRESULT hr() const noexcept { return m_hr; }
    const char* what() const noexcept override { return "Win32 failure"; }

private:
    HRESULT m_hr;
};

[[noreturn]] inline void ThrowLastError() {
    DWORD e = GetLastError();
    throw Win32Failure(e ? HRESULT_FROM_WIN32(e) : E_FAIL);
}

}  // namespace quillon
