// DemoHost: an MDI program that exercises the Quillon control.
//   DemoHost.exe [--exit-after <milliseconds>]
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <cwchar>
#include <string>
#include "demo/App.h"
#include "demo/Form1.h"
#include "demo/MDIForm1.h"
#include "demo/tour/Tour.h"

namespace demo {

App& TheApp() {
    static App app;
    return app;
}

namespace {

std::wstring ExeFolder() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    const size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : folder.substr(0, slash);
}

UINT ExitAfterFromCommandLine() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    UINT ms = 0;
    for (int i = 1; argv && i + 1 < argc; ++i) {
        if (lstrcmpiW(argv[i], L"--exit-after") == 0) ms = static_cast<UINT>(wcstoul(argv[i + 1], nullptr, 10));
    }
    if (argv) LocalFree(argv);
    return ms;
}

int Run(HINSTANCE instance, int showCommand) {
    App& app = TheApp();
    app.instance = instance;
    app.folder = ExeFolder();
    if (!MDIForm1::Register(instance) || !Form1::Register(instance)) return 1;
    HWND frame = MDIForm1::Create(showCommand);
    if (!frame) return 1;
    MDIForm1::ExitAfter(ExitAfterFromCommandLine());
    tour::StartTourFromCommandLine(frame, app.Control());
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (app.mdiClient && TranslateMDISysAccel(app.mdiClient, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    app.quillon.Close();
    return static_cast<int>(msg.wParam);
}

}  // namespace
}  // namespace demo

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (FAILED(OleInitialize(nullptr))) return 1;
    int code = 1;
    try {
        code = demo::Run(instance, showCommand);
    } catch (...) {
        code = 1;
    }
    demo::TheApp().quillon.Close();
    OleUninitialize();
    return code;
}
