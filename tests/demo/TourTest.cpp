// DemoHost's screenshot tour, run headless by `./quill demo --headless` (or,
// without it, by DemoHost.exe --tour <artifacts>/tour started here): it drives the program with real input,
// saves a PNG per step with index.html and writes tour-results.txt. The tour
// must finish on its own, pass every check it makes and leave every picture
// its page shows. The demo command's tour at 144 DPI is checked by the same
// tests, and its File menu against the 96-DPI tour's.
#include <windows.h>
#include <gtest/gtest.h>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>
#include "tests/support/TestWindows.h"

namespace {

using quillon::test::ArtifactDir;

constexpr DWORD kTourLimitMs = 240000;
constexpr DWORD kFirstPictureMs = 45000;

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/"));
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool IsPng(const std::string& path) {
    const std::string bytes = ReadFile(path);
    return bytes.size() > 64 && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0 &&
           bytes.find("IEND") != std::string::npos;
}

bool AnyPng(const std::string& folder) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*.png").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    FindClose(find);
    return true;
}

void RemoveOldRun(const std::string& folder) {
    for (const char* pattern : {"\\*.png", "\\index.html", "\\tour-results.txt"}) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA((folder + pattern).c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) continue;
        do {
            DeleteFileA((folder + "\\" + data.cFileName).c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
}

struct TourRun {
    std::string folder;
    bool started = false, finished = false;
    DWORD exitCode = 0;
};

// A tour the README's demo command already made (a Unix path in `variable`):
// QUILL_TOUR_MADE, the one checked, and QUILL_TOUR_REFERENCE, the 96-DPI
// tour a tour at another DPI is compared with.
std::string TourFolder(const char* variable) {
    char path[MAX_PATH] = {};
    const DWORD n = GetEnvironmentVariableA(variable, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    std::string folder = std::string("Z:") + path;
    for (char& c : folder)
        if (c == '/') c = '\\';
    return folder;
}

std::string TourMadeByDemoCommand() { return TourFolder("QUILL_TOUR_MADE"); }

const TourRun& RunTourOnce() {
    static TourRun run = [] {
        TourRun r;
        r.folder = TourMadeByDemoCommand();
        if (!r.folder.empty()) {
            r.started = r.finished = true;  // its exit status is the demo command's test
            return r;
        }
        r.folder = ArtifactDir() + "\\tour";
        CreateDirectoryA(r.folder.c_str(), nullptr);
        RemoveOldRun(r.folder);
        const std::string demoFolder = OwnFolder() + "\\..\\demo";
        std::string command = "\"" + demoFolder + "\\DemoHost.exe\" --tour \"" + r.folder + "\"";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        r.started = CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, demoFolder.c_str(),
                                   &si, &pi) != 0;
        if (!r.started) return r;
        const DWORD start = GetTickCount();
        DWORD wait = WAIT_TIMEOUT;
        while (wait == WAIT_TIMEOUT && GetTickCount() - start < kTourLimitMs) {
            wait = WaitForSingleObject(pi.hProcess, 1000);
            // A DemoHost without its tour never writes a picture: no need to wait it out.
            if (wait == WAIT_TIMEOUT && GetTickCount() - start > kFirstPictureMs && !AnyPng(r.folder)) break;
        }
        r.finished = wait == WAIT_OBJECT_0;
        if (!r.finished) TerminateProcess(pi.hProcess, 99);
        GetExitCodeProcess(pi.hProcess, &r.exitCode);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
        return r;
    }();
    return run;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

TEST(DemoTour, FinishesOnItsOwnWithExitCodeZero) {
    if (!TourMadeByDemoCommand().empty()) GTEST_SKIP() << "the demo command's own test checks its exit status";
    const TourRun& run = RunTourOnce();
    ASSERT_TRUE(run.started) << "DemoHost.exe could not be started";
    EXPECT_TRUE(run.finished) << "the tour did not close DemoHost within " << kTourLimitMs / 1000 << " s";
    EXPECT_EQ(0u, run.exitCode);
}

TEST(DemoTour, EveryCheckPasses) {
    const TourRun& run = RunTourOnce();
    const std::vector<std::string> lines = Lines(ReadFile(run.folder + "\\tour-results.txt"));
    ASSERT_FALSE(lines.empty()) << "no tour-results.txt in " << run.folder;
    int passed = 0;
    for (const std::string& line : lines) {
        // INFO lines record what the system did where the tour has nothing to check.
        if (line.rfind("INFO ", 0) == 0) continue;
        EXPECT_EQ(0u, line.rfind("PASS ", 0)) << line;
        passed += line.rfind("PASS ", 0) == 0;
    }
    // What the tour must have verified, whatever else it checks.
    const char* const required[] = {
        "pointing at Zoom In shows 'Zoom in to current document' in the status line",
        "pointing at Zoom In with the mouse shows its text as a rectangular tooltip",
        "pointing at Zoom Out shows 'Zoom out of current document' in the status line",
        "closing the menu empties the status line",
        "pointing at Arial shows the tooltip",
        "the menu bar's items are drawn in italics",
        "the font items are drawn each in its own face",
        "German sets every listed caption",
        "English restores every listed caption",
        "None set the text colour to 128",
        "Clouds shows the clouds behind the popup menu",
        "a right click on the child opens TrackMenu",
        "no TrackMenu",
        "the highlight dialog opens on 'XP'",
        "Radial paints a radial highlight",
        "the border dialog opens on 'Flat'",
        "the tooltip dialog opens with tooltips on, titles off and 'Rectangle'",
        "Cancel in the highlight dialog leaves every property as it was",
        "Cancel in the border dialog leaves every property as it was",
        "Cancel in the tooltip dialog leaves every property as it was",
        "the Fonts menu checks Arial alone",
        "the Background Picture menu checks Clouds alone",
        "Use Custom Colors is checked while they are on",
        "Right to Left Menu is checked while it is on",
        "Help > About shows the control's about box",
        "with no child open the bar shows the frame's File and Help",
        "a fresh child checks English again",
        "DemoHost is per-monitor DPI aware",
        "the File menu's pictures are MulDiv(16, dpi, 96) pixels tall",
        "Dark paints the File menu's items on RGB(43,43,43) with light text",
        "in high contrast the File menu's items show only system colours",
        "the Colour Scheme menu checks Classic alone again",
        "a disabled item's picture keeps its shape",
        "the submenu arrows over the lake have no white box behind them",
    };
    for (const char* check : required) {
        bool found = false;
        for (const std::string& line : lines) found = found || (line.rfind("PASS ", 0) == 0 && line.find(check) != std::string::npos);
        EXPECT_TRUE(found) << "no passed check: " << check;
    }
    EXPECT_GE(passed, 40);
}

// What the tour measured of the File menu: "<dpi> DPI: item height <pixels>".
struct FileMenuSize {
    int dpi = 0, itemHeight = 0;
};

FileMenuSize FileMenuSizeIn(const std::string& folder) {
    const std::string results = ReadFile(folder + "\\tour-results.txt");
    std::smatch m;
    FileMenuSize size;
    if (std::regex_search(results, m, std::regex("([0-9]+) DPI: item height ([0-9]+)")))
        size = {std::stoi(m[1]), std::stoi(m[2])};
    return size;
}

// The tour ran at the DPI its prefix was given, and there the File menu's
// items are taller than at 96 DPI in the ratio of the resolutions.
TEST(DemoTour, RunsAtItsDpiWithTheFileMenuScaled) {
    const FileMenuSize size = FileMenuSizeIn(RunTourOnce().folder);
    ASSERT_GT(size.itemHeight, 0) << "no File menu item height in the tour's results";
    char wanted[16] = {};
    if (GetEnvironmentVariableA("QUILL_TOUR_DPI", wanted, sizeof wanted)) {
        EXPECT_EQ(std::atoi(wanted), size.dpi);
    }
    const std::string reference = TourFolder("QUILL_TOUR_REFERENCE");
    if (reference.empty()) return;
    const FileMenuSize base = FileMenuSizeIn(reference);
    ASSERT_EQ(96, base.dpi) << "the reference tour in " << reference;
    ASSERT_GT(base.itemHeight, 0);
    EXPECT_NEAR(size.dpi / 96.0, static_cast<double>(size.itemHeight) / base.itemHeight, 0.1)
        << "item height " << size.itemHeight << " at " << size.dpi << " DPI, " << base.itemHeight << " at 96 DPI";
}

TEST(DemoTour, PageShowsEveryScreenshotWithACaption) {
    const TourRun& run = RunTourOnce();
    const std::string page = ReadFile(run.folder + "\\index.html");
    ASSERT_FALSE(page.empty()) << "no index.html in " << run.folder;
    const std::regex figure("<figure><img src=\"([0-9]{2}-[a-z0-9-]+\\.png)\"[^>]*><figcaption>([^<]+)</figcaption></figure>");
    std::set<std::string> shown;
    for (auto it = std::sregex_iterator(page.begin(), page.end(), figure); it != std::sregex_iterator(); ++it) {
        const std::string file = (*it)[1];
        EXPECT_TRUE(IsPng(run.folder + "\\" + file)) << file << " is missing or no PNG";
        EXPECT_GT((*it)[2].length(), 10u) << file << " has no caption";
        shown.insert(file);
    }
    EXPECT_GE(shown.size(), 40u);
    // Every step of the tour that the README names.
    for (const char* step : {"-start.png", "-zoom-in-tooltip.png", "-fonts-arial-tooltip.png", "-popup-menu.png",
                             "-highlight-radial.png", "-border-flat-with-shadow.png", "-tooltip-dialog.png",
                             "-language-german.png", "-right-to-left.png", "-background-clouds.png",
                             "-custom-colors-on.png", "-about-box.png", "-frame-menu.png", "-scheme-dark.png",
                             "-high-contrast.png", "-disabled-pictures.png", "-submenu-arrows.png"}) {
        bool found = false;
        for (const std::string& f : shown) found = found || f.find(step) != std::string::npos;
        EXPECT_TRUE(found) << "no screenshot *" << step;
    }
}

}  // namespace
