#pragma once
// The real control, linked into the test program, sited by the test
// container on a real form window.
#include <gtest/gtest.h>
#include "control/Quillon.h"
#include "tests/support/TestContainer.h"
#include "tests/support/TestWindows.h"

namespace quillon::test {

inline Quillon* QuillonOf(const TestContainer& container) {
    auto dual = container.Query<_Quillon>(IID__Quillon);
    return dual ? static_cast<Quillon*>(dual.get()) : nullptr;
}

// Creates and initialises a control on `form`; closes it at the end.
struct HostedControl {
    explicit HostedControl(HWND form, ContainerOptions options = {}) : container(form, options) {
        EXPECT_EQ(container.Create(QuillonFactory()), S_OK);
        EXPECT_EQ(container.InitNew(), S_OK);
        control = QuillonOf(container);
        EXPECT_NE(control, nullptr);
    }
    ~HostedControl() { Close(); }
    void Close() {
        if (!closed) container.Close();
        closed = true;
    }
    Quillon* operator->() const { return control; }

    TestContainer container;
    Quillon* control = nullptr;
    bool closed = false;
};

// Tooltip windows whose owner is `owner`.
inline int CountTooltipsOwnedBy(HWND owner) {
    int n = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, "tooltips_class32", nullptr); w;
         w = FindWindowExA(nullptr, w, "tooltips_class32", nullptr))
        n += GetWindow(w, GW_OWNER) == owner;
    return n;
}

inline WNDPROC ProcOf(HWND hwnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC)); }

}  // namespace quillon::test
