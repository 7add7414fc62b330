#pragma once
// A type library described as data: each row of the tables in
// QuillonLibrary.cpp becomes one type, member or constant of the library.
#include <windows.h>
#include <oaidl.h>
#include <vector>

namespace quillon::tlb {

// The type of a parameter, result or property. `user` names a type of the
// same library (an enumeration, an interface) or, with `standard`, one of
// the OLE standard library stdole2 (OLE_COLOR, Font, Picture);
// `object` makes it an interface pointer; `byRef` passes it by pointer.
struct TypeSpec {
    VARTYPE vt = VT_EMPTY;
    const wchar_t* user = nullptr;
    bool byRef = false;
    bool object = false;
    bool standard = false;
};

inline constexpr TypeSpec None{};
inline constexpr TypeSpec Long{VT_I4};
inline constexpr TypeSpec Boolean{VT_BOOL};
inline constexpr TypeSpec String{VT_BSTR};
inline constexpr TypeSpec Variant{VT_VARIANT};
inline constexpr TypeSpec Object{VT_DISPATCH};
inline constexpr TypeSpec ByRef(TypeSpec t) { t.byRef = true; return t; }
inline constexpr TypeSpec Enum(const wchar_t* name) { return TypeSpec{VT_USERDEFINED, name, false}; }
// A pointer to an interface of this library.
inline constexpr TypeSpec Interface(const wchar_t* name) { return TypeSpec{VT_USERDEFINED, name, false, true}; }
// Types of stdole2. Fonts and pictures are its dispatch interfaces "Font"
// and "Picture" (IID_IFontDisp, IID_IPictureDisp): stdole2's "IFontDisp" and
// "IPictureDisp" are aliases without an identifier, which another library
// cannot refer to reliably.
inline constexpr TypeSpec OleColor{VT_USERDEFINED, L"OLE_COLOR", false, false, true};
inline constexpr TypeSpec FontObject{VT_USERDEFINED, L"Font", false, true, true};
inline constexpr TypeSpec PictureObject{VT_USERDEFINED, L"Picture", false, true, true};

struct Param {
    const wchar_t* name;
    TypeSpec type;
    bool optional = false;
};

enum class Kind { Method, PropGet, PropLet, PropSet };

struct Member {
    Kind kind;
    DISPID id;
    const wchar_t* name;
    std::vector<Param> params;
    TypeSpec result;  // None: no result
    const wchar_t* help = nullptr;
};

struct Constant {
    const wchar_t* name;  // its help string is its name
    LONG value;
};

struct Implemented {
    const wchar_t* name;
    int flags;  // IMPLTYPEFLAG_*
};

enum class TypeKind { DualInterface, DispInterface, CoClass, Enumeration };

struct TypeEntry {
    TypeKind kind;
    const wchar_t* name;
    GUID guid;
    const wchar_t* help;
    WORD flags;  // TYPEFLAG_*
    std::vector<Member> members = {};
    std::vector<Implemented> implemented = {};
    std::vector<Constant> constants = {};
};

struct Library {
    const wchar_t* name;
    GUID guid;
    const wchar_t* help;
    WORD major, minor;
    std::vector<TypeEntry> types;  // in library order
};

const Library& QuillonLibrary();

}  // namespace quillon::tlb
