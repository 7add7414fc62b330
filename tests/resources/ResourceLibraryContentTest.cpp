// The content of QuillonRes.dll as built into bin/ beside the test program:
// per language a consecutive run of strings "KEY\nhelp text\nicon base
// name", the icons those strings name and the check mark, each in every size
// of kIconSizes; and the control's default pictures drawn from it.
#include <windows.h>
#include <olectl.h>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>
#include "control/Quillon.h"
#include "control/ResourceLibrary.h"
#include "tests/control/Automation.h"
#include "tests/control/HostedControl.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr int kBuffer = 255;  // the control reads each string with this buffer

std::wstring LibraryPath() { return ResourceLibrary::FolderOf(nullptr) + ResourceLibrary::kFileName; }

struct Entry {
    UINT id = 0;
    std::wstring text;
    std::vector<std::wstring> fields;
};

std::vector<std::wstring> Split(const std::wstring& text) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        const size_t lf = text.find(L'\n', start);
        fields.push_back(text.substr(start, lf == std::wstring::npos ? std::wstring::npos : lf - start));
        if (lf == std::wstring::npos) return fields;
        start = lf + 1;
    }
}

std::wstring StringOf(HMODULE lib, UINT id) {
    wchar_t buffer[kBuffer] = {};
    const int n = LoadStringW(lib, id, buffer, kBuffer);
    return n > 0 ? std::wstring(buffer, static_cast<size_t>(n)) : std::wstring();
}

struct Language {
    const char* name;
    LONG value;      // qlLanguage
    UINT first;      // first string identifier
    UINT next;       // first identifier of the following range
};

const Language kLanguages[] = {
    {"English", qlEnglish, 1000, 4000}, {"Italian", qlItalian, 4000, 5000}, {"French", qlFrench, 5000, 6000},
    {"Spanish", qlSpanish, 6000, 7000}, {"German", qlGerman, 7000, 8000},
};

// Localized captions of the demo program's menus (access keys as shown).
const std::map<LONG, std::vector<std::wstring>> kDemoCaptions = {
    {qlEnglish,
     {L"&New", L"&Open", L"C&lose", L"&Save", L"Save &As", L"Print &Setup", L"Print Se&tup", L"&Print", L"E&xit",
      L"&Undo", L"&Redo", L"Cu&t", L"&Copy", L"Co&py", L"&Paste", L"&Delete", L"Zoom &In", L"Zoom Out", L"&About"}},
    {qlFrench,
     {L"Copier", L"Couper", L"Coller", L"R\u00E9tablir", L"Annuler", L"Fermer", L"Quitter", L"Ouvrir", L"Imprimer",
      L"Configuration de l'impression", L"Enregistrer", L"Enregistrer sous", L"A propos de"}},
    {qlGerman,
     {L"Kopieren", L"Ausschneiden", L"Einf\u00FCgen", L"Wiederherstellen", L"R\u00FCckg\u00E4ngig",
      L"Schlie\u00DFen", L"Beenden", L"\u00D6ffnen", L"Drucken", L"Druckereinrichtung", L"Speichern",
      L"Speichern unter", L"Info"}},
    {qlItalian,
     {L"Copia", L"Taglia", L"Incolla", L"Ripristina", L"Annulla", L"Chiudi", L"Esci", L"Apri", L"Stampa",
      L"Imposta stampante", L"Salva", L"Salva con nome", L"Informazioni su..."}},
    {qlSpanish,
     {L"Copiar", L"Cortar", L"Pegar", L"Rehacer", L"Deshacer", L"Cerrar", L"Salir", L"Abrir", L"Imprimir",
      L"Configurar impresora", L"Guardar", L"Guardar como", L"Acerca de"}},
};

// Each language's table covers these commands, by icon base name.
const std::set<std::wstring> kCommands = {
    L"New",  L"Open",  L"Close",  L"Save",   L"Save_As", L"Print",      L"Print_Setup", L"Print_Preview",
    L"Exit", L"Undo",  L"Redo",   L"Cut",    L"Copy",    L"Paste",      L"Delete",      L"Find",
    L"Replace", L"Select_All", L"Help", L"About", L"Zoom_In", L"Zoom_Out", L"Refresh",   L"Properties",
};

std::string Utf8(const std::wstring& s) {
    std::string out(static_cast<size_t>(s.size() * 3 + 1), '\0');
    const int n = WideCharToMultiByte(CP_UTF8, 0, s.c_str(), static_cast<int>(s.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    out.resize(static_cast<size_t>(n > 0 ? n : 0));
    return out;
}

class ResourceContent : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        lib = LoadLibraryExW(LibraryPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (!lib) lib = LoadLibraryExW(LibraryPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (lib) FreeLibrary(lib);
        lib = nullptr;
    }
    void SetUp() override { ASSERT_NE(lib, nullptr) << "QuillonRes.dll beside the test program"; }

    // The run of a language from its first identifier to the first missing one.
    static std::vector<Entry> Run(const Language& language) {
        std::vector<Entry> run;
        for (UINT id = language.first; id < language.next; ++id) {
            std::wstring text = StringOf(lib, id);
            if (text.empty()) break;
            run.push_back({id, text, Split(text)});
        }
        return run;
    }
    static std::map<std::wstring, Entry> ByKey(const Language& language) {
        std::map<std::wstring, Entry> keys;
        for (const Entry& e : Run(language)) keys.emplace(e.fields[0], e);
        return keys;
    }
    static const Language& Of(LONG value) {
        for (const Language& l : kLanguages)
            if (l.value == value) return l;
        return kLanguages[0];
    }

    static HMODULE lib;
};

HMODULE ResourceContent::lib = nullptr;

TEST_F(ResourceContent, EveryLanguageHasAConsecutiveRunThatEnds) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.name);
        const std::vector<Entry> run = Run(language);
        EXPECT_GE(run.size(), kCommands.size());
        ASSERT_LT(run.size(), language.next - language.first) << "the run ends inside its range";
        // Nothing after the gap: a string there would never be read.
        for (UINT id = language.first + static_cast<UINT>(run.size()); id < language.next; ++id)
            ASSERT_TRUE(StringOf(lib, id).empty()) << "stray string " << id;
    }
}

TEST_F(ResourceContent, EveryEntryIsAKeyAHelpTextAndAnIconName) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.name);
        std::set<std::wstring> keys;
        for (const Entry& e : Run(language)) {
            SCOPED_TRACE(e.id);
            EXPECT_LT(e.text.size(), static_cast<size_t>(kBuffer)) << "fits the control's buffer";
            EXPECT_EQ(std::wstring::npos, e.text.find(L'\\')) << "escapes became characters";
            ASSERT_TRUE(e.fields.size() == 2 || e.fields.size() == 3) << Utf8(e.text);
            EXPECT_FALSE(e.fields[0].empty());
            EXPECT_EQ(e.fields[0], Quillon::CleanCaption(e.fields[0])) << "the key is a clean caption: " << Utf8(e.fields[0]);
            EXPECT_FALSE(e.fields[1].empty()) << "help text";
            EXPECT_TRUE(keys.insert(e.fields[0]).second) << "duplicate key " << Utf8(e.fields[0]);
        }
    }
}

TEST_F(ResourceContent, EveryLanguageNamesTheSameCommandIcons) {
    for (const Language& language : kLanguages) {
        SCOPED_TRACE(language.name);
        std::set<std::wstring> icons;
        for (const Entry& e : Run(language))
            if (e.fields.size() == 3) icons.insert(e.fields[2]);
        EXPECT_EQ(kCommands, icons);
    }
}

void ExpectIcon16(HMODULE lib, const std::string& resource) {
    SCOPED_TRACE(resource);
    HICON icon = static_cast<HICON>(LoadImageA(lib, resource.c_str(), IMAGE_ICON, 16, 16, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    BITMAP bm{};
    ASSERT_NE(info.hbmColor, nullptr) << "a colour icon";
    ASSERT_TRUE(GetObjectA(info.hbmColor, sizeof bm, &bm));
    EXPECT_EQ(16, bm.bmWidth);
    EXPECT_EQ(16, bm.bmHeight);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST_F(ResourceContent, EveryNamedIconAndTheCheckMarkIsA16By16Icon) {
    std::set<std::wstring> names;
    for (const Language& language : kLanguages)
        for (const Entry& e : Run(language))
            if (e.fields.size() == 3 && !e.fields[2].empty()) names.insert(e.fields[2]);
    ASSERT_FALSE(names.empty());
    for (const std::wstring& name : names) ExpectIcon16(lib, Utf8(name) + "_ICON");
    ExpectIcon16(lib, "CHECKMARK_ICON");
    EXPECT_EQ(nullptr, LoadImageA(lib, "NO_SUCH_ICON", IMAGE_ICON, 16, 16, 0)) << "the check can fail";
}

// The sizes of every icon group, for displays from 100% to 300%.
const std::vector<int> kIconSizes = {16, 20, 24, 32, 48};

const LPCWSTR kGroupIcon = MAKEINTRESOURCEW(14);  // RT_GROUP_ICON for the wide functions

BOOL CALLBACK AddGroupName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<std::wstring>*>(names)->push_back(
        IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : std::wstring(name));
    return TRUE;
}

// The widths of a group's images as its GRPICONDIR lists them: a 6-byte
// header and 14-byte entries that start with width and height (0 for 256).
std::vector<int> GroupSizes(HMODULE lib, const std::wstring& name) {
    HRSRC info = FindResourceW(lib, name.c_str(), kGroupIcon);
    HGLOBAL data = info ? LoadResource(lib, info) : nullptr;
    const auto* dir = static_cast<const BYTE*>(data ? LockResource(data) : nullptr);
    if (!dir || SizeofResource(lib, info) < 6) return {};
    const int count = dir[4] | dir[5] << 8;
    if (SizeofResource(lib, info) < static_cast<DWORD>(6 + 14 * count)) return {};
    std::vector<int> sizes;
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = dir + 6 + 14 * i;
        const int width = entry[0] ? entry[0] : 256, height = entry[1] ? entry[1] : 256;
        sizes.push_back(width == height ? width : -1);
    }
    std::sort(sizes.begin(), sizes.end());
    return sizes;
}

// The icon loaded at a size: its colour bitmap is that size and has opaque
// pixels.
void ExpectIconOfSize(HMODULE lib, const std::wstring& name, int size) {
    SCOPED_TRACE(size);
    HICON icon = static_cast<HICON>(LoadImageW(lib, name.c_str(), IMAGE_ICON, size, size, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm{};
    EXPECT_TRUE(info.hbmColor && GetObjectW(info.hbmColor, sizeof bm, &bm));
    EXPECT_EQ(size, bm.bmWidth);
    EXPECT_EQ(size, bm.bmHeight);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> pixels(static_cast<size_t>(size * size));
    HDC screen = GetDC(nullptr);
    const int rows = info.hbmColor ? GetDIBits(screen, info.hbmColor, 0, size, pixels.data(), &bi, DIB_RGB_COLORS) : 0;
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(size, rows);
    EXPECT_TRUE(std::any_of(pixels.begin(), pixels.end(), [](RGBQUAD p) { return p.rgbReserved == 255; }))
        << "some opaque pixel";
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST_F(ResourceContent, EveryIconGroupHoldsEachSizeAndLoadsAtIt) {
    std::vector<std::wstring> groups;
    EnumResourceNamesW(lib, kGroupIcon, AddGroupName, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_GE(groups.size(), kCommands.size() + 1) << "the commands' icons and the check mark";
    for (const std::wstring& name : groups) {
        SCOPED_TRACE(Utf8(name));
        EXPECT_EQ(kIconSizes, GroupSizes(lib, name));
        for (int size : kIconSizes) ExpectIconOfSize(lib, name, size);
    }
}

TEST_F(ResourceContent, TheDemoMenuCaptionsOfEachLanguageHaveEntries) {
    for (const auto& [value, captions] : kDemoCaptions) {
        const Language& language = Of(value);
        SCOPED_TRACE(language.name);
        const std::map<std::wstring, Entry> keys = ByKey(language);
        for (const std::wstring& caption : captions) {
            auto it = keys.find(Quillon::CleanCaption(caption));
            ASSERT_NE(it, keys.end()) << Utf8(caption);
            EXPECT_EQ(3u, it->second.fields.size()) << Utf8(caption) << " has a picture";
        }
    }
    const auto german = ByKey(Of(qlGerman));
    ASSERT_TRUE(german.count(L"KOPIEREN"));
    EXPECT_EQ(L"Copy", german.at(L"KOPIEREN").fields[2]);
    EXPECT_EQ(L"Copy", ByKey(Of(qlFrench)).at(L"COPIER").fields[2]);
}

TEST_F(ResourceContent, TheZoomCommandsHaveTheirHelpTexts) {
    const auto english = ByKey(Of(qlEnglish));
    ASSERT_TRUE(english.count(L"ZOOM IN"));
    EXPECT_EQ(L"Zoom in to current document", english.at(L"ZOOM IN").fields[1]);
    EXPECT_EQ(L"Zoom_In", english.at(L"ZOOM IN").fields[2]);
    ASSERT_TRUE(english.count(L"ZOOM OUT"));
    EXPECT_EQ(L"Zoom out of current document", english.at(L"ZOOM OUT").fields[1]);
    for (const wchar_t* key : {L"SAVE AS", L"PRINT PREVIEW", L"SELECT ALL", L"PRINT SETUP"})
        EXPECT_TRUE(english.count(key)) << Utf8(key);
}

TEST_F(ResourceContent, AccentedTextsRoundTrip) {
    const auto german = ByKey(Of(qlGerman));
    ASSERT_TRUE(german.count(L"L\u00D6SCHEN"));
    EXPECT_EQ(L"Markierung l\u00F6schen", german.at(L"L\u00D6SCHEN").fields[1]);
    ASSERT_TRUE(german.count(L"SCHLIE\u00DFEN"));
    const auto french = ByKey(Of(qlFrench));
    ASSERT_TRUE(french.count(L"R\u00C9TABLIR"));
    EXPECT_EQ(L"R\u00E9tablit l'action annul\u00E9e", french.at(L"R\u00C9TABLIR").fields[1]);
    // The control reads the ANSI form: in code page 1252 the same characters, one byte each.
    if (GetACP() == 1252) {
        char buffer[kBuffer] = {};
        const UINT id = german.at(L"L\u00D6SCHEN").id;
        const int n = LoadStringA(lib, id, buffer, kBuffer);
        EXPECT_EQ(std::string("L\xD6SCHEN\nMarkierung l\xF6schen\nDelete"), std::string(buffer, n > 0 ? n : 0));
    }
}

TEST_F(ResourceContent, ItLoadsAsAnOrdinaryLibraryWithoutAnEntryPoint) {
    HMODULE plain = LoadLibraryW(LibraryPath().c_str());
    ASSERT_NE(plain, nullptr);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(plain);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(plain) + dos->e_lfanew);
    EXPECT_EQ(0u, nt->OptionalHeader.AddressOfEntryPoint);
    EXPECT_TRUE(nt->FileHeader.Characteristics & IMAGE_FILE_DLL);
    EXPECT_EQ(L"ZOOM IN", Split(StringOf(plain, ByKey(Of(qlEnglish)).at(L"ZOOM IN").id))[0]);
    FreeLibrary(plain);
}

// --- through the control -------------------------------------------------------

struct DefaultPictures : ::testing::Test {
    RecordingWindow form;
    HostedControl q{form.hwnd()};
    Automation host{q.container.Query<IDispatch>(IID_IDispatch).get()};

    ComPtr<IDispatch> Picture(const wchar_t* caption, LONG language) {
        Variant result;
        EXPECT_EQ(S_OK, host.Call(L"GetDefaultPictureEx", {Variant::String(caption), Variant::Long(language)}, &result));
        EXPECT_EQ(VT_DISPATCH, result.vt());
        return ComPtr<IDispatch>(result.vt() == VT_DISPATCH ? V_DISPATCH(&result.v) : nullptr);
    }
    static SHORT TypeOf(IDispatch* picture) {
        ComPtr<IPicture> p;
        SHORT type = PICTYPE_UNINITIALIZED;
        if (picture && SUCCEEDED(picture->QueryInterface(IID_IPicture, p.put_void()))) p->get_Type(&type);
        return type;
    }
};

TEST_F(DefaultPictures, AFrenchCaptionGetsItsIconOnceAndThenTheSameObject) {
    ASSERT_NE(q->ResourceLibrary(), nullptr);
    ComPtr<IDispatch> first = Picture(L"Copier", qlFrench);
    ASSERT_NE(first.get(), nullptr);
    EXPECT_EQ(PICTYPE_ICON, TypeOf(first.get()));
    EXPECT_EQ(first.get(), Picture(L"Copier", qlFrench).get());
    EXPECT_EQ(first.get(), Picture(L"Kopieren", qlGerman).get()) << "one picture per icon, for all languages";
    EXPECT_EQ(first.get(), Picture(L"&Copy", qlEnglish).get());
    EXPECT_EQ(nullptr, Picture(L"Kopieren", qlFrench).get()) << "a German caption is no French key";
}

TEST_F(DefaultPictures, EnglishCommandsAndTheCheckMarkHavePictures) {
    ComPtr<IDispatch> preview = Picture(L"Print Preview", qlEnglish);
    ASSERT_NE(preview.get(), nullptr);
    EXPECT_EQ(PICTYPE_ICON, TypeOf(preview.get()));
    EXPECT_NE(preview.get(), Picture(L"Zoom &In", qlEnglish).get());
    EXPECT_EQ(PICTYPE_ICON, TypeOf(Picture(L"CHECKMARK", qlSpanish).get()));
    EXPECT_EQ(PICTYPE_ICON, TypeOf(Picture(L"Einf\u00FCgen", qlGerman).get()));
    EXPECT_EQ(nullptr, Picture(L"No Such Command", qlEnglish).get());
}

}  // namespace
