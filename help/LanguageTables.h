#pragma once
// The default help texts and picture names of the resource library, one
// slot per language value, and the pictures already loaded from it.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>
#include "control/ole/ComPtr.h"

namespace quillon {

// Texts under keys that compare without regard to case; the first text
// added under a key stays.
class KeyedTexts {
public:
    bool Add(const std::wstring& key, const std::wstring& text);
    const std::wstring* Find(const std::wstring& key) const;
    bool empty() const { return m_texts.empty(); }
    size_t size() const { return m_texts.size(); }

private:
    std::unordered_map<std::wstring, std::wstring> m_texts;  // by upper-case key
};

class LanguageTables {
public:
    static constexpr LONG kSlots = 11;  // the language values 0 to 10
    struct Slot {
        std::unique_ptr<KeyedTexts> helpTexts;
        std::unique_ptr<KeyedTexts> pictureNames;
    };
    // The slot of a language; null outside 0 to 10.
    Slot* SlotOf(LONG language);
    const Slot* SlotOf(LONG language) const;

    // Pictures by resource base name (case-insensitive) and icon size in
    // pixels, shared by all languages.
    IPictureDisp* CachedPicture(const std::wstring& name, int size) const;
    void CachePicture(const std::wstring& name, int size, IPictureDisp* picture);
    // Whether a picture object is one of the library's icons: they are
    // loaded for the DPI painted for, where a host's picture is made for 96.
    bool IsLibraryPicture(IPictureDisp* picture) const { return picture && m_loaded.count(picture) != 0; }
    size_t CachedPictureCount() const { return m_pictures.size(); }
    // Base names whose icon the library does not have: asked for once, as
    // long as the library stays the same (it does for the control's life).
    bool KnownMissing(const std::wstring& name) const;
    void NoteMissing(const std::wstring& name);

private:
    Slot m_slots[kSlots];
    std::unordered_map<std::wstring, ComPtr<IPictureDisp>> m_pictures;  // by NAME or NAME@size
    std::unordered_set<IPictureDisp*> m_loaded;  // held by m_pictures
    std::unordered_set<std::wstring> m_missing;  // upper-case names
};

// The library's icons come in these sizes; the size loaded for a picture
// cell of `cell` pixels: the smallest that is not smaller, else the largest.
inline constexpr int kLibraryIconSizes[] = {16, 20, 24, 32, 48};
int LibraryIconSize(LONG cell) noexcept;

// Splits a library string at line feeds: key, help text, picture base name.
std::vector<std::wstring> SplitLibraryString(const std::wstring& text);

}  // namespace quillon
