#pragma once
// A listener for registry tests: counts references, records calls and
// answers with a programmable reaction.
#include <functional>
#include <vector>
#include "hook/SubclassListener.h"
#include "tests/support/TestWindows.h"

namespace quillon::test {

struct RecordingListener : cSubclassListener {
    int refs = 1;
    std::vector<SeenMessage> calls;
    // Return value and whether to keep the message from the previous procedure.
    LRESULT answer = 0;
    bool swallow = false;
    std::function<void(HWND, UINT, WPARAM, LPARAM)> onMessage;

    STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }

    LRESULT WindowMsgListener(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool& route) override {
        calls.push_back({hwnd, msg, wParam, lParam});
        if (onMessage) onMessage(hwnd, msg, wParam, lParam);
        if (swallow) route = false;
        return answer;
    }
};

}  // namespace quillon::test
