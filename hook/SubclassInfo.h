#pragma once
#include <windows.h>
#include <vector>
#include "hook/SubclassListener.h"

namespace quillon {

// The record of one hooked window: its listener, the procedure that was
// installed before the hook, and the messages the listener wants to see.
// A second listener on the same window gets a record of its own on top of
// the first (`below`); all of them share the one installed procedure. A
// record without a listener only passes messages on: the window's procedure
// was replaced after the hook, so the shared procedure stays in its chain.
class cSubclassInfo {
public:
    cSubclassInfo(HWND hwnd, cSubclassListener* listener) noexcept;
    ~cSubclassInfo();
    cSubclassInfo(const cSubclassInfo&) = delete;
    cSubclassInfo& operator=(const cSubclassInfo&) = delete;

    HWND hwnd;
    cSubclassListener* listener;  // owned reference; null once only passing messages on
    WNDPROC oldWndProc = nullptr;
    // Hooked with the Unicode functions (a Unicode window): its messages
    // reach the listener and the previous procedure in their Unicode form.
    bool unicode = false;
    cSubclassInfo* below = nullptr;  // owned reference: the record of an earlier listener

    // Message 0 is ignored; a message already present stays once.
    void AddMessage(UINT msg);
    void RemoveMessage(UINT msg) noexcept;
    bool IsMessageHooked(UINT msg) const noexcept;
    void ClearMessages() noexcept { m_msgList.clear(); }
    const std::vector<UINT>& Messages() const noexcept { return m_msgList; }

    // Owned by the registry and by each call in progress for the window, so
    // a record outlives an unhook done by a nested call. One thread only:
    // the count needs no atomics.
    void AddRef() noexcept { ++m_refs; }
    void Release() noexcept {
        if (--m_refs == 0) delete this;
    }

private:
    std::vector<UINT> m_msgList;  // sorted, no duplicates, never 0
    int m_refs = 1;
};

}  // namespace quillon
