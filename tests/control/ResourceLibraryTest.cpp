// The resource library is mapped as data, from the control's own folder
// only: a library of that name elsewhere is never loaded and never runs.
#include <string>
#include "control/ResourceLibrary.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;

namespace {

std::string PlantedSource() { return "planted\\PlantedRes.dll"; }  // relative to bin, the test's folder

bool PlantedCodeRan() {
    HANDLE e = OpenEventA(SYNCHRONIZE, FALSE, "QuillonPlantedLibraryRan");
    if (e) CloseHandle(e);
    return e != nullptr;
}

std::string HasMarker(HMODULE lib) {
    char text[64] = {};
    return lib && LoadStringA(lib, 1, text, sizeof text) > 0 ? text : "";
}

struct TempFolder {
    std::string path;
    explicit TempFolder(const char* name) {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        path = std::string(base) + name + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(path.c_str(), nullptr);
    }
    ~TempFolder() {
        DeleteFileA((path + "\\QuillonRes.dll").c_str());
        RemoveDirectoryA(path.c_str());
    }
    std::wstring wide() const { return std::wstring(path.begin(), path.end()); }
    void Plant() const { ASSERT_TRUE(CopyFileA(PlantedSource().c_str(), (path + "\\QuillonRes.dll").c_str(), FALSE)); }
};

struct CurrentDirectory {
    char saved[MAX_PATH];
    explicit CurrentDirectory(const std::string& to) {
        GetCurrentDirectoryA(MAX_PATH, saved);
        SetCurrentDirectoryA(to.c_str());
    }
    ~CurrentDirectory() { SetCurrentDirectoryA(saved); }
};

TEST(ResourceLibrary, ItIsMappedAsDataFromTheGivenFolder) {
    TempFolder own("QuillonOwn");
    own.Plant();
    HMODULE lib = ResourceLibrary::Load(own.wide());
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(HasMarker(lib), "PLANTED-MARKER") << "its resources are readable";
    EXPECT_FALSE(PlantedCodeRan()) << "its code never ran";
    ResourceLibrary::Free(lib);
}

TEST(ResourceLibrary, FreeingItReleasesTheFile) {
    TempFolder own("QuillonFreed");
    own.Plant();
    std::string file = own.path + "\\QuillonRes.dll";
    HMODULE lib = ResourceLibrary::Load(own.wide());
    ASSERT_NE(lib, nullptr);
    EXPECT_FALSE(DeleteFileA(file.c_str())) << "mapped while loaded";
    ResourceLibrary::Free(lib);
    EXPECT_TRUE(DeleteFileA(file.c_str())) << "no longer mapped";
}

TEST(ResourceLibrary, ALibraryInTheCurrentFolderOrOnThePathIsNotLoaded) {
    TempFolder planted("QuillonPlanted"), empty("QuillonEmpty");
    planted.Plant();
    CurrentDirectory cd(planted.path);
    std::string oldPath(32767, '\0');
    oldPath.resize(GetEnvironmentVariableA("PATH", oldPath.data(), static_cast<DWORD>(oldPath.size())));
    SetEnvironmentVariableA("PATH", (planted.path + ";" + oldPath).c_str());
    EXPECT_EQ(ResourceLibrary::Load(empty.wide()), nullptr);
    EXPECT_EQ(ResourceLibrary::Load(L""), nullptr) << "no folder: no search order either";
    SetEnvironmentVariableA("PATH", oldPath.c_str());
    EXPECT_FALSE(PlantedCodeRan());
}

TEST(ResourceLibrary, TheControlIgnoresALibraryPlantedInTheCurrentFolder) {
    TempFolder planted("QuillonPlantedCtl");
    planted.Plant();
    RecordingWindow form;
    CurrentDirectory cd(planted.path);
    HostedControl q(form.hwnd());
    EXPECT_NE(HasMarker(q->ResourceLibrary()), "PLANTED-MARKER");
    EXPECT_FALSE(PlantedCodeRan());
}

// True when nobody holds the file open or mapped.
bool CanOpenExclusively(const std::string& file) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    CloseHandle(h);
    return true;
}

TEST(ResourceLibrary, TheControlLoadsItFromItsOwnFolderAndFreesItAtRelease) {
    std::wstring folder = ResourceLibrary::FolderOf(nullptr);  // the test program's folder is the control's
    std::string file = std::string(folder.begin(), folder.end()) + "QuillonRes.dll";
    bool planted = GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES;
    if (planted) {
        ASSERT_TRUE(CopyFileA(PlantedSource().c_str(), file.c_str(), TRUE));
    }
    {
        RecordingWindow form;
        HostedControl q(form.hwnd());
        EXPECT_NE(q->ResourceLibrary(), nullptr);
        EXPECT_FALSE(CanOpenExclusively(file)) << "mapped while the control lives";
        q.Close();
        EXPECT_EQ(q->ResourceLibrary(), nullptr);
        EXPECT_TRUE(CanOpenExclusively(file)) << "freed at release";
    }
    EXPECT_FALSE(PlantedCodeRan());
    if (planted) DeleteFileA(file.c_str());
}

}  // namespace
