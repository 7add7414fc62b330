// Default pictures and help texts of standard commands, read from the
// optional resource library: per language a run of strings "key LF help
// text LF icon base name" from the language's first identifier on, and
// 16 by 16 icons named base name + "_ICON". Without the library there are
// none, and nothing fails.
#include <iterator>
#include <string>
#include "control/Quillon.h"
#include "control/TextConversion.h"
#include "help/LanguageTables.h"
#include "hook/Guard.h"
#include "render/MakePicture.h"

namespace quillon {
namespace {

constexpr int kStringBuffer = 255;

std::wstring Upper(std::wstring s) {
    if (!s.empty()) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

}  // namespace

bool KeyedTexts::Add(const std::wstring& key, const std::wstring& text) {
    return m_texts.emplace(Upper(key), text).second;
}

const std::wstring* KeyedTexts::Find(const std::wstring& key) const {
    auto it = m_texts.find(Upper(key));
    return it == m_texts.end() ? nullptr : &it->second;
}

LanguageTables::Slot* LanguageTables::SlotOf(LONG language) {
    return language >= 0 && language < kSlots ? &m_slots[language] : nullptr;
}

const LanguageTables::Slot* LanguageTables::SlotOf(LONG language) const {
    return language >= 0 && language < kSlots ? &m_slots[language] : nullptr;
}

namespace {

std::wstring PictureKey(const std::wstring& name, int size) {
    return size == kLibraryIconSizes[0] ? Upper(name) : Upper(name) + L"@" + std::to_wstring(size);
}

}  // namespace

int LibraryIconSize(LONG cell) noexcept {
    for (int size : kLibraryIconSizes)
        if (size >= cell) return size;
    return kLibraryIconSizes[std::size(kLibraryIconSizes) - 1];
}

IPictureDisp* LanguageTables::CachedPicture(const std::wstring& name, int size) const {
    auto it = m_pictures.find(PictureKey(name, size));
    return it == m_pictures.end() ? nullptr : it->second.get();
}

void LanguageTables::CachePicture(const std::wstring& name, int size, IPictureDisp* picture) {
    ComPtr<IPictureDisp>& slot = m_pictures[PictureKey(name, size)];
    if (slot) m_loaded.erase(slot.get());
    slot = picture;
    if (picture) m_loaded.insert(picture);
}

bool LanguageTables::KnownMissing(const std::wstring& name) const { return m_missing.count(Upper(name)) != 0; }

void LanguageTables::NoteMissing(const std::wstring& name) { m_missing.insert(Upper(name)); }

std::vector<std::wstring> SplitLibraryString(const std::wstring& text) {
    std::vector<std::wstring> fields;
    size_t start = 0;
    for (;;) {
        const size_t lf = text.find(L'\n', start);
        fields.push_back(text.substr(start, lf == std::wstring::npos ? std::wstring::npos : lf - start));
        if (lf == std::wstring::npos) break;
        start = lf + 1;
    }
    return fields;
}

void Quillon::LanguageTablesDeleter::operator()(LanguageTables* tables) const noexcept { delete tables; }

LONG Quillon::LanguageStringBase(LONG language) {
    switch (language) {
    case qlItalian: return 4000;
    case qlFrench: return 5000;
    case qlSpanish: return 6000;
    case qlGerman: return 7000;
    default: return 1000;
    }
}

void Quillon::LoadLanguageStrings(LONG language) {
    if (!m_languageTables) Trap([&] { m_languageTables.reset(new LanguageTables()); });
    if (!m_languageTables) return;
    LanguageTables::Slot* slot = m_languageTables->SlotOf(language);
    // 1. Once per language, and only with the library.
    if (!slot || (slot->helpTexts && !slot->helpTexts->empty()) || !m_hResLib) return;
    // 2.
    slot->helpTexts = std::make_unique<KeyedTexts>();
    slot->pictureNames = std::make_unique<KeyedTexts>();
    // 3.-4. Consecutive strings until the first that has no text.
    for (LONG id = LanguageStringBase(language); id <= 0xFFFF; ++id) {
        wchar_t buffer[kStringBuffer] = {};
        const int n = LoadStringW(m_hResLib, static_cast<UINT>(id), buffer, kStringBuffer);
        if (n <= 0) break;
        Trap([&] {
            const std::vector<std::wstring> fields = SplitLibraryString(std::wstring(buffer, static_cast<size_t>(n)));
            if (fields.size() >= 2) slot->helpTexts->Add(fields[0], fields[1]);
            if (fields.size() >= 3 && !fields[2].empty()) slot->pictureNames->Add(fields[0], fields[2]);
        });
    }
}

ComPtr<IPictureDisp> Quillon::DefaultPictureOf(const std::wstring& caption, LONG language) {
    ComPtr<IPictureDisp> picture;
    // 1.
    Trap([&] {
        const LanguageTables::Slot* slot = m_languageTables ? m_languageTables->SlotOf(language) : nullptr;
        if (!slot || !slot->pictureNames || slot->pictureNames->empty()) LoadLanguageStrings(language);
    });
    // 2.
    if (!m_hResLib || !m_languageTables) return picture;
    Trap([&] {
        // 3.-4. A caption without a table entry asks for an icon of its own name.
        const std::wstring s = TrimBlanks(caption);
        std::wstring name = s;
        if (s != L"CHECKMARK") {
            const LanguageTables::Slot* slot = m_languageTables->SlotOf(language);
            const std::wstring* entry =
                slot && slot->pictureNames ? slot->pictureNames->Find(CleanCaption(s)) : nullptr;
            if (entry && !entry->empty()) name = *entry;
            for (wchar_t& c : name)
                if (c == L' ') c = L'_';
        }
        // 5. The icon drawn for the picture cell at the DPI painted for.
        const int size = LibraryIconSize(m_menuMetrics.Scale(kLibraryIconSizes[0]));
        if (IPictureDisp* cached = m_languageTables->CachedPicture(name, size)) {
            picture = cached;
            return;
        }
        // 6. An icon the library does not have is looked for once.
        if (m_languageTables->KnownMissing(name)) return;
        const std::wstring resource = name + L"_ICON";
        HANDLE icon = LoadImageW(m_hResLib, resource.c_str(), IMAGE_ICON, size, size, 0);
        if (!icon) {
            m_languageTables->NoteMissing(name);
            return;
        }
        picture = PictureFromHandle(icon, PICTYPE_ICON);
        if (picture)
            m_languageTables->CachePicture(name, size, picture.get());
        else
            DestroyIcon(static_cast<HICON>(icon));
    });
    return picture;
}

ComPtr<IPictureDisp> Quillon::GetDefaultCheckMark() { return DefaultPictureOf(L"CHECKMARK", qlEnglish); }

std::wstring Quillon::GetDefaultHelpText(const std::wstring& caption, LONG language) const {
    std::wstring text;
    Trap([&] {
        const LanguageTables::Slot* slot = m_languageTables ? m_languageTables->SlotOf(language) : nullptr;
        if (!slot || !slot->helpTexts) return;
        if (const std::wstring* entry = slot->helpTexts->Find(CleanCaption(caption))) text = *entry;
    });
    return text;
}

}  // namespace quillon
