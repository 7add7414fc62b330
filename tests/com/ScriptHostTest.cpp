// The control driven from Wine's script host: cscript.exe runs a VBScript
// and a JScript file that create the control by its ProgID, set and read
// properties, call methods, catch the control's errors as a script sees
// them, and create and release many objects in a loop. Each script echoes
// "name=value" lines, which the test reads back from its standard output.
#include <windows.h>
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

namespace quillon::test {
namespace {

using Echoed = std::map<std::string, std::string>;

// Wine's VBScript crashes on ReDim of an array declared "Dim a()": none here.
constexpr char kVBScript[] = R"(
Sub Echo(name, value)
    WScript.Echo name & "=" & value
End Sub
Set q = CreateObject("QuillonLib.Quillon")
q.HighlightStyle = 3
Echo "HighlightStyle", q.HighlightStyle
q.UseCustomColors = True
q.MenuBackground = RGB(250, 240, 200)
Echo "MenuBackground", q.MenuBackground
q.ShowTooltip = False
Echo "ShowTooltip", q.ShowTooltip
q.RightToLeft = True
Echo "RightToLeft", q.RightToLeft
Echo "CleanCaption", q.GetCleanCaption(" &Open..." & vbTab & "Ctrl+O")
Echo "MeanColor", q.GetMeanColor(RGB(0, 0, 0), RGB(200, 100, 50))

On Error Resume Next
q.AddMessage "Open", "Opens a file"
q.AddMessage "Open", "Opens it again"
Echo "DuplicateNumber", Err.Number
Echo "DuplicateSource", Err.Source
Echo "DuplicateDescription", Err.Description
Err.Clear
Set p = q.CaptureScreen()
Echo "CaptureNumber", Err.Number
Echo "CaptureSource", Err.Source
Echo "CaptureDescription", Err.Description
Echo "CaptureResult", TypeName(p)
On Error GoTo 0

n = 0
For i = 1 To 200
    Set o = CreateObject("QuillonLib.Quillon")
    o.MenuBorder = i Mod 3
    If o.MenuBorder = i Mod 3 Then n = n + 1
    Set o = Nothing
Next
Echo "LoopObjects", n
Set q = Nothing
Echo "Done", 1
)";

constexpr char kJScript[] = R"(
function echo(name, value) { WScript.Echo(name + "=" + value); }
var q = new ActiveXObject("QuillonLib.Quillon");
q.MenuBorder = 2;
echo("MenuBorder", q.MenuBorder);
q.AutoShowHelp = false;
echo("AutoShowHelp", q.AutoShowHelp);
q.TextColor = 0x123456;
echo("TextColorWithoutCustomColors", q.TextColor == 0x123456);
echo("CleanCaption", q.GetCleanCaption("E&xit"));
try { q.CaptureScreen(); } catch (e) {
    echo("CaptureNumber", e.number);
    echo("CaptureDescription", e.description);
}
var n = 0;
for (var i = 0; i < 100; ++i) { var o = new ActiveXObject("QuillonLib.Quillon"); n += o.Language >= 0 ? 1 : 0; o = null; }
CollectGarbage();
echo("LoopObjects", n);
echo("Done", 1);
)";

// Runs `cscript //nologo <name>` on `text` written to a temp folder, its
// standard output in a file; the "name=value" lines it echoed, and "exit".
Echoed RunScript(const std::wstring& name, const std::string& text) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring script = std::wstring(temp) + name, output = script + L".out";
    std::ofstream(std::filesystem::path(script), std::ios::binary) << text;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = CreateFileW(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = out;
    std::wstring cmd = L"cscript.exe //nologo \"" + script + L"\"";
    PROCESS_INFORMATION pi{};
    Echoed echoed;
    // With a console (no CREATE_NO_WINDOW): Wine's cscript writes nothing without one.
    if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        WaitForSingleObject(pi.hProcess, 30000);
        DWORD code = 0xFFFFFFFF;
        GetExitCodeProcess(pi.hProcess, &code);
        echoed["exit"] = std::to_string(code);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    CloseHandle(out);
    std::ifstream lines{std::filesystem::path(output)};
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t eq = line.find('=');
        if (eq != std::string::npos) echoed[line.substr(0, eq)] = line.substr(eq + 1);
    }
    lines.close();
    DeleteFileW(script.c_str());
    DeleteFileW(output.c_str());
    return echoed;
}

struct Expected {
    const char* name;
    std::string value;
};

void ExpectEchoed(const Echoed& echoed, std::initializer_list<Expected> table) {
    for (const auto& e : table) {
        auto it = echoed.find(e.name);
        EXPECT_EQ(e.value, it == echoed.end() ? "<not echoed>" : it->second) << e.name;
    }
}

const std::string kControlError = std::to_string(static_cast<LONG>(0x80040000));  // -2147221504

class ScriptHost : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        vbs = RunScript(L"quillon-test.vbs", kVBScript);
        js = RunScript(L"quillon-test.js", kJScript);
    }
    static inline Echoed vbs, js;
};

TEST_F(ScriptHost, VBScriptSetsAndReadsPropertiesAndCallsMethods) {
    ExpectEchoed(vbs, {{"exit", "0"},
                       {"HighlightStyle", "3"},
                       {"MenuBackground", std::to_string(RGB(250, 240, 200))},
                       {"ShowTooltip", "False"},
                       {"RightToLeft", "True"},
                       {"CleanCaption", "OPEN"},
                       {"MeanColor", std::to_string(RGB(100, 50, 25))},
                       {"LoopObjects", "200"},
                       {"Done", "1"}});
}

TEST_F(ScriptHost, VBScriptSeesTheControlsErrors) {
    ExpectEchoed(vbs, {{"DuplicateNumber", kControlError},
                       {"DuplicateSource", "Quillon"},
                       {"DuplicateDescription", "This key is already associated with an element of this collection"},
                       {"CaptureNumber", kControlError},
                       {"CaptureSource", "Quillon"},
                       {"CaptureDescription", "Call to undocumented function CaptureScreen"},
                       {"CaptureResult", "Empty"}});
}

TEST_F(ScriptHost, JScriptSetsReadsCallsAndCatches) {
    ExpectEchoed(js, {{"exit", "0"},
                      {"MenuBorder", "2"},
                      {"AutoShowHelp", "false"},
                      {"TextColorWithoutCustomColors", "false"},
                      {"CleanCaption", "EXIT"},
                      {"CaptureNumber", kControlError},
                      {"CaptureDescription", "Call to undocumented function CaptureScreen"},
                      {"LoopObjects", "100"},
                      {"Done", "1"}});
}

}  // namespace
}  // namespace quillon::test
