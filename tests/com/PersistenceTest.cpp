// IPersistPropertyBag and IPersistStreamInit on a probe control: named
// values (a picture included) survive a round trip; damaged streams fail
// without crashing and hand over nothing; a picture that cannot
// be restored costs only its own value.
#include <gtest/gtest.h>
#include <olectl.h>
#include <algorithm>
#include <vector>
#include "tests/com/ProbeControl.h"
#include "tests/support/Pictures.h"
#include "tests/support/StreamBytes.h"
#include "tests/support/TestWindows.h"

namespace quillon::test {
namespace {

class PersistenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        picture = Dib24Picture(24, 16, RGB(0, 128, 0), RGB(255, 255, 0)).As<IPicture>(IID_IPicture);
        ASSERT_TRUE(picture);
        writer->toWrite = {{L"AutoShowHelp", Variant::Bool(true)},
                           {L"HighlightStyle", Variant::Long(7)},
                           {L"Caption", Variant::String(L"Fichier \u00e9t\u00e9")},
                           {L"CheckMark", Variant::Object(picture.As<IDispatch>(IID_IDispatch).get(), VT_DISPATCH)},
                           {L"MenuBackground", Variant::Long(static_cast<LONG>(0x80000004))}};
        reader->readNames = {L"AutoShowHelp", L"HighlightStyle", L"Caption", L"CheckMark", L"MenuBackground"};
    }

    // Saves the writer probe into an HGLOBAL stream.
    ComPtr<IStream> SaveToStream(ULARGE_INTEGER* sizeMax = nullptr) {
        ComPtr<ProbeControl> p = ComPtr<ProbeControl>::Adopt(ProbeControl::New(writer));
        auto persist = ComPtr<IPersistStreamInit>(static_cast<IPersistStreamInit*>(p.get()));
        EXPECT_EQ(S_OK, persist->InitNew());
        if (sizeMax) {
            EXPECT_EQ(S_OK, persist->GetSizeMax(sizeMax));
        }
        ComPtr<IStream> s;
        EXPECT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, s.put()));
        EXPECT_EQ(S_OK, persist->Save(s.get(), TRUE));
        return s;
    }

    HRESULT LoadInto(IStream* s) {
        ComPtr<ProbeControl> p = ComPtr<ProbeControl>::Adopt(ProbeControl::New(reader));
        return static_cast<IPersistStreamInit*>(p.get())->Load(s);
    }

    const Variant* ReadValue(const wchar_t* name) {
        for (const auto& [n, v] : reader->read)
            if (n == name) return &v;
        return nullptr;
    }

    std::shared_ptr<ProbeLog> writer = std::make_shared<ProbeLog>();
    std::shared_ptr<ProbeLog> reader = std::make_shared<ProbeLog>();
    ComPtr<IPicture> picture;
};

TEST_F(PersistenceTest, PropertyBagRoundTrip) {
    RecordingWindow form;
    auto bag = PropertyBag::Create();
    {
        TestContainer c(form.hwnd());
        ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(writer)));
        ASSERT_EQ(S_OK, c.InitNew());
        ASSERT_EQ(S_OK, c.Save(bag.get()));
    }
    EXPECT_EQ(1, writer->writeProperties);
    ASSERT_EQ(5u, bag->Count());
    EXPECT_EQ(VT_BOOL, bag->Get(L"autoshowhelp")->vt());
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(reader)));
    ASSERT_EQ(S_OK, c.Load(bag.get()));
    EXPECT_EQ(1, reader->readProperties);
    EXPECT_EQ(0, reader->initProperties);
    ASSERT_EQ(5u, reader->read.size());
    EXPECT_EQ(7, V_I4(&ReadValue(L"HighlightStyle")->v));
    EXPECT_EQ(CO_E_ALREADYINITIALIZED, c.InitNew());
}

TEST_F(PersistenceTest, StreamRoundTripWithPicture) {
    ULARGE_INTEGER sizeMax{};
    auto s = SaveToStream(&sizeMax);
    const auto bytes = BytesOf(s.get());
    EXPECT_EQ(sizeMax.QuadPart, bytes.size());
    // Header: magic, version 1, reserved, five records.
    ASSERT_GE(bytes.size(), 12u);
    EXPECT_EQ(0, memcmp(bytes.data(), "QLPB", 4));
    EXPECT_EQ(1, bytes[4] | bytes[5] << 8);
    EXPECT_EQ(5u, static_cast<unsigned>(bytes[8] | bytes[9] << 8 | bytes[10] << 16 | bytes[11] << 24));

    ASSERT_EQ(S_OK, LoadInto(StreamOf(bytes).get()));
    ASSERT_EQ(5u, reader->read.size());
    const Variant* b = ReadValue(L"AutoShowHelp");
    ASSERT_EQ(VT_BOOL, b->vt());
    EXPECT_EQ(VARIANT_TRUE, V_BOOL(&b->v));
    EXPECT_EQ(7, V_I4(&ReadValue(L"HighlightStyle")->v));
    EXPECT_EQ(L"Fichier \u00e9t\u00e9", ReadValue(L"Caption")->Text());
    EXPECT_EQ(static_cast<LONG>(0x80000004), V_I4(&ReadValue(L"MenuBackground")->v));

    const Variant* pic = ReadValue(L"CheckMark");
    ASSERT_EQ(VT_DISPATCH, pic->vt());
    ASSERT_NE(nullptr, V_DISPATCH(&pic->v));
    ComPtr<IPicture> loaded;
    ASSERT_EQ(S_OK, V_DISPATCH(&pic->v)->QueryInterface(IID_IPicture, loaded.put_void()));
    SHORT type = 0;
    loaded->get_Type(&type);
    EXPECT_EQ(PICTYPE_BITMAP, type);
    OLE_XSIZE_HIMETRIC w1 = 0, w2 = 0;
    OLE_YSIZE_HIMETRIC h1 = 0, h2 = 0;
    picture->get_Width(&w1);
    picture->get_Height(&h1);
    loaded->get_Width(&w2);
    loaded->get_Height(&h2);
    EXPECT_EQ(w1, w2);
    EXPECT_EQ(h1, h2);
}

TEST_F(PersistenceTest, TruncatedStreamFailsAndHandsOverNothing) {
    const auto bytes = BytesOf(SaveToStream().get());
    // Cut inside the third record (the caption): two values are whole.
    const size_t header = 12;
    const size_t rec1 = 4 + 2 * 12 + 2 + 2;  // "AutoShowHelp", VT_BOOL
    const size_t rec2 = 4 + 2 * 14 + 2 + 4;  // "HighlightStyle", VT_I4
    std::vector<BYTE> cut(bytes.begin(), bytes.begin() + header + rec1 + rec2 + 9);
    ComPtr<ProbeControl> p = ComPtr<ProbeControl>::Adopt(ProbeControl::New(reader));
    auto* persist = static_cast<IPersistStreamInit*>(p.get());
    EXPECT_TRUE(FAILED(persist->Load(StreamOf(cut).get())));
    EXPECT_EQ(0, reader->readProperties);
    EXPECT_TRUE(reader->read.empty());
    EXPECT_EQ(S_OK, persist->InitNew()) << "the container's fallback";

    // Every shorter prefix fails too, and none crashes.
    for (size_t n = 0; n < bytes.size(); n += 7) {
        std::vector<BYTE> part(bytes.begin(), bytes.begin() + n);
        EXPECT_TRUE(FAILED(LoadInto(StreamOf(part).get()))) << n;
    }
}

TEST_F(PersistenceTest, CorruptStreamsFail) {
    auto bytes = BytesOf(SaveToStream().get());
    auto badMagic = bytes;
    badMagic[0] = 'X';
    EXPECT_EQ(STG_E_INVALIDHEADER, LoadInto(StreamOf(badMagic).get()));
    EXPECT_TRUE(reader->read.empty());

    auto badVersion = bytes;
    badVersion[4] = 9;
    EXPECT_EQ(STG_E_INVALIDHEADER, LoadInto(StreamOf(badVersion).get()));

    // An unknown value type in the second record.
    auto badType = bytes;
    const size_t vtOffset = 12 + (4 + 2 * 12 + 2 + 2) + 4 + 2 * 14;
    badType[vtOffset] = 0x7F;
    reader->read.clear();
    EXPECT_TRUE(FAILED(LoadInto(StreamOf(badType).get())));
    EXPECT_TRUE(reader->read.empty());

    // A huge name length.
    auto hugeName = bytes;
    hugeName[12 + 3] = 0x7F;
    EXPECT_TRUE(FAILED(LoadInto(StreamOf(hugeName).get())));
}

// Where the CheckMark record's byte count is (its blob follows).
size_t PictureLengthAt(const std::vector<BYTE>& bytes) {
    const wchar_t name[] = L"CheckMark";
    const BYTE* first = reinterpret_cast<const BYTE*>(name);
    auto at = std::search(bytes.begin(), bytes.end(), first, first + 18);
    return at == bytes.end() ? 0 : static_cast<size_t>(at - bytes.begin()) + 18 + 2;
}

TEST_F(PersistenceTest, APictureThatCannotBeRestoredIsSkippedAndReadingGoesOn) {
    const auto bytes = BytesOf(SaveToStream().get());
    const size_t length = PictureLengthAt(bytes);
    ASSERT_NE(0u, length);
    const size_t blob = length + 4;
    // The blob: class id, the picture's "lt" header and size, then a .bmp file.
    ASSERT_EQ('B', bytes[blob + 16 + 8]);
    ASSERT_EQ('M', bytes[blob + 16 + 9]);
    auto foreignClass = bytes;
    for (size_t i = blob; i < blob + 16; ++i) foreignClass[i] = 0xEE;
    auto badData = bytes;
    badData[blob + 16 + 8] = 'Z';
    badData[blob + 16 + 9] = 'Z';
    for (const auto* damaged : {&foreignClass, &badData}) {
        reader->read.clear();
        EXPECT_EQ(S_OK, LoadInto(StreamOf(*damaged).get()));
        ASSERT_EQ(5u, reader->read.size()) << "the record after the picture is read too";
        const Variant* pic = ReadValue(L"CheckMark");
        ASSERT_NE(nullptr, pic);
        EXPECT_EQ(VT_ERROR, pic->vt()) << "a value no reader takes for a picture";
        EXPECT_EQ(static_cast<LONG>(0x80000004), V_I4(&ReadValue(L"MenuBackground")->v));
    }
}

TEST_F(PersistenceTest, DamagedLengthsFailBeforeAnythingIsAllocated) {
    const auto bytes = BytesOf(SaveToStream().get());
    // The caption's length, well under the string cap but past the end.
    const size_t captionLength = 12 + (4 + 2 * 12 + 2 + 2) + (4 + 2 * 14 + 2 + 4) + 4 + 2 * 7 + 2;
    ASSERT_EQ(L'F', bytes[captionLength + 4]);
    auto hugeText = bytes;
    hugeText[captionLength + 2] = 0x80;  // 8 M code units
    EXPECT_EQ(STG_E_DOCFILECORRUPT, LoadInto(StreamOf(hugeText).get()));
    EXPECT_TRUE(reader->read.empty());

    const size_t pictureLength = PictureLengthAt(bytes);
    ASSERT_NE(0u, pictureLength);
    auto hugePicture = bytes;
    hugePicture[pictureLength + 3] = 0x02;  // 32 MB
    reader->read.clear();
    EXPECT_EQ(STG_E_DOCFILECORRUPT, LoadInto(StreamOf(hugePicture).get()));
    EXPECT_TRUE(reader->read.empty());
}

TEST_F(PersistenceTest, DirtyUntilTheNextSave) {
    RecordingWindow form;
    TestContainer c(form.hwnd());
    ASSERT_EQ(S_OK, c.Create(ProbeControl::Factory(writer)));
    ASSERT_EQ(S_OK, c.InitNew());
    auto persist = c.Query<IPersistStreamInit>(IID_IPersistStreamInit);
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    auto* probe = static_cast<ProbeControl*>(static_cast<IPersistStreamInit*>(persist.get()));
    probe->PropertyChanged(0x68030009);
    EXPECT_EQ(S_OK, persist->IsDirty());
    ASSERT_EQ(1u, c.notifications().changed.size());
    EXPECT_EQ(0x68030009, c.notifications().changed[0]);
    ComPtr<IStream> s;
    CreateStreamOnHGlobal(nullptr, TRUE, s.put());
    ASSERT_EQ(S_OK, persist->Save(s.get(), FALSE));
    EXPECT_EQ(S_OK, persist->IsDirty());
    ASSERT_EQ(S_OK, persist->Save(s.get(), TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    probe->PropertyChanged(0x68030008);
    auto bag = PropertyBag::Create();
    ASSERT_EQ(S_OK, c.Save(bag.get()));
    EXPECT_EQ(S_FALSE, persist->IsDirty());
}

TEST_F(PersistenceTest, UnsupportedValueTypeFailsToSave) {
    SAFEARRAY* sa = SafeArrayCreateVector(VT_I4, 0, 2);
    Variant arr;
    V_VT(&arr.v) = VT_ARRAY | VT_I4;
    V_ARRAY(&arr.v) = sa;
    writer->toWrite.push_back({L"Array", arr});
    ComPtr<ProbeControl> p = ComPtr<ProbeControl>::Adopt(ProbeControl::New(writer));
    ComPtr<IStream> s;
    CreateStreamOnHGlobal(nullptr, TRUE, s.put());
    EXPECT_EQ(DISP_E_BADVARTYPE, static_cast<IPersistStreamInit*>(p.get())->Save(s.get(), TRUE));
}

}  // namespace
}  // namespace quillon::test
