#include "tests/support/TestWindows.h"
#include <cstdlib>

namespace quillon::test {
namespace {

const char kRecordingClass[] = "QuillonTestRecording";
const wchar_t kUnicodeRecordingClass[] = L"QuillonTestRecordingW";
const char kFrameClass[] = "QuillonTestMdiFrame";
const char kChildClass[] = "QuillonTestMdiChild";

template <bool Unicode>
LRESULT CALLBACK RecordingWndProcOf(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* proc = reinterpret_cast<RecordingProc*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        // lpCreateParams sits at the same place in both forms.
        proc = static_cast<RecordingProc*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(proc));
    }
    if (proc) {
        proc->seen.push_back({hwnd, msg, wParam, lParam});
        LRESULT r = 0;
        if (proc->handler && proc->handler(hwnd, msg, wParam, lParam, r)) return r;
        if (proc->answer && msg >= WM_USER) return proc->answer;
    }
    return Unicode ? DefWindowProcW(hwnd, msg, wParam, lParam) : DefWindowProcA(hwnd, msg, wParam, lParam);
}
constexpr WNDPROC RecordingWndProc = RecordingWndProcOf<false>;
constexpr WNDPROC UnicodeRecordingWndProc = RecordingWndProcOf<true>;

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND client = reinterpret_cast<HWND>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return DefFrameProcA(hwnd, client, msg, wParam, lParam);
}

LRESULT CALLBACK ChildProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcA(hwnd, msg, wParam, lParam);
}

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSA wc{};
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpfnWndProc = RecordingWndProc;
    wc.lpszClassName = kRecordingClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = ChildProc;
    wc.lpszClassName = kChildClass;
    RegisterClassA(&wc);
    WNDCLASSW wcw{};
    wcw.hInstance = wc.hInstance;
    wcw.hCursor = wc.hCursor;
    wcw.hbrBackground = wc.hbrBackground;
    wcw.lpfnWndProc = UnicodeRecordingWndProc;
    wcw.lpszClassName = kUnicodeRecordingClass;
    RegisterClassW(&wcw);
}

}  // namespace

int RecordingProc::Count(UINT msg) const {
    int n = 0;
    for (const auto& m : seen) n += m.msg == msg;
    return n;
}

RecordingWindow::RecordingWindow(DWORD style, HWND parent, DWORD exStyle) {
    RegisterClasses();
    m_hwnd = CreateWindowExA(exStyle, kRecordingClass, "Quillon test", style, 10, 10, 400, 300, parent, nullptr,
                             GetModuleHandleA(nullptr), &m_proc);
}

RecordingWindow::RecordingWindow(UnicodeClass, const wchar_t* title) : m_unicode(true) {
    RegisterClasses();
    m_hwnd = CreateWindowExW(0, kUnicodeRecordingClass, title, WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, nullptr,
                             nullptr, GetModuleHandleA(nullptr), &m_proc);
}

RecordingWindow::~RecordingWindow() { Destroy(); }

void RecordingWindow::Destroy() {
    if (m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
}

WNDPROC RecordingWindow::classProc() const { return m_unicode ? UnicodeRecordingWndProc : RecordingWndProc; }

MdiFrame::MdiFrame() {
    RegisterClasses();
    m_frame = CreateWindowExA(0, kFrameClass, "Quillon MDI test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 640,
                              480, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 50000;
    m_client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                               600, 400, m_frame, nullptr, GetModuleHandleA(nullptr), &ccs);
    SetWindowLongPtrA(m_frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(m_client));
}

MdiFrame::~MdiFrame() {
    if (m_frame && IsWindow(m_frame)) DestroyWindow(m_frame);
}

HWND MdiFrame::AddChild(const char* title) {
    MDICREATESTRUCTA mcs{};
    mcs.szClass = kChildClass;
    mcs.szTitle = title;
    mcs.hOwner = GetModuleHandleA(nullptr);
    mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
    mcs.style = WS_OVERLAPPEDWINDOW;
    return reinterpret_cast<HWND>(SendMessageA(m_client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
}

void MdiFrame::Activate(HWND child) { SendMessageA(m_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0); }

void PumpMessages(DWORD ms) {
    DWORD until = GetTickCount() + ms;
    for (;;) {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
        LONG left = static_cast<LONG>(until - GetTickCount());
        if (left <= 0) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left), QS_ALLINPUT);
    }
}

HMENU MakeSampleMenuBar() {
    HMENU bar = CreateMenu();
    HMENU file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 101, "&New\tCtrl+N");
    AppendMenuA(file, MF_STRING, 102, "&Open...\tCtrl+O");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, 103, "E&xit");
    HMENU edit = CreatePopupMenu();
    AppendMenuA(edit, MF_STRING, 201, "Cu&t\tCtrl+X");
    AppendMenuA(edit, MF_STRING, 202, "&Copy\tCtrl+C");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), "&Edit");
    return bar;
}

std::string ArtifactDir() {
    // The variable holds a Unix path; Wine's drive Z: is the Unix root.
    const char* dir = std::getenv("QUILLON_ARTIFACTS");
    if (!dir || !*dir) return ".";
    std::string path = dir;
    if (path[0] == '/') path = "Z:" + path;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

}  // namespace quillon::test
