#pragma once
// Real windows for tests: a top-level window whose own procedure records
// every message it sees, MDI frames with children, and message pumping.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace quillon::test {

struct SeenMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

// The "previous procedure" of a hooked window in tests: records what
// reaches it and answers with `answer` (or what the handler returns).
struct RecordingProc {
    std::vector<SeenMessage> seen;
    LRESULT answer = 0;
    std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)> handler;
    int Count(UINT msg) const;
};

// A top-level window of a class whose procedure is a RecordingProc: an
// ANSI class, or a Unicode one (RegisterClassW, CreateWindowExW).
struct UnicodeClass {};
class RecordingWindow {
public:
    explicit RecordingWindow(DWORD style = WS_OVERLAPPEDWINDOW, HWND parent = nullptr, DWORD exStyle = 0);
    RecordingWindow(UnicodeClass, const wchar_t* title);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;
    HWND hwnd() const { return m_hwnd; }
    RecordingProc& proc() { return m_proc; }
    WNDPROC classProc() const;
    void Destroy();

private:
    HWND m_hwnd = nullptr;
    RecordingProc m_proc;
    bool m_unicode = false;
};

// An MDI frame window with its MDI client; children are created on demand.
class MdiFrame {
public:
    MdiFrame();
    ~MdiFrame();
    MdiFrame(const MdiFrame&) = delete;
    MdiFrame& operator=(const MdiFrame&) = delete;
    HWND frame() const { return m_frame; }
    HWND client() const { return m_client; }
    HWND AddChild(const char* title = "Child");
    void Activate(HWND child);

private:
    HWND m_frame = nullptr;
    HWND m_client = nullptr;
};

// Processes every pending message of the thread (and waits up to `ms`
// milliseconds for more, so timers can tick).
void PumpMessages(DWORD ms = 0);

// Builds a menu bar "&File" (New, Open, -, Exit) and "&Edit" (Cut, Copy).
HMENU MakeSampleMenuBar();

// Folder where tests leave screenshots and logs (QUILLON_ARTIFACTS).
std::string ArtifactDir();

}  // namespace quillon::test
