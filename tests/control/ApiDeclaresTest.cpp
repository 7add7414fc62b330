#include <gtest/gtest.h>
#include "control/ApiDeclares.h"

using namespace quillon::ApiDeclares;

namespace {

struct Answering {
    explicit Answering(VersionOverride v) { SetVersionOverride(&v); }
    ~Answering() { SetVersionOverride(nullptr); }
};

TEST(ApiDeclares, EachSystemIsToldApart) {
    struct Case {
        VersionOverride v;
        double number;
        bool w95, w98, nt3, nt4;
    } cases[] = {
        {{VER_PLATFORM_WIN32_WINDOWS, 4, 0}, 4.0, true, false, false, false},
        {{VER_PLATFORM_WIN32_WINDOWS, 4, 10}, 4.1, false, true, false, false},
        {{VER_PLATFORM_WIN32_WINDOWS, 4, 90}, 4.9, false, true, false, false},
        {{VER_PLATFORM_WIN32_NT, 3, 51}, 3.51, false, false, true, false},
        {{VER_PLATFORM_WIN32_NT, 4, 0}, 4.0, false, false, false, true},
        {{VER_PLATFORM_WIN32_NT, 5, 0}, 5.0, false, false, false, false},
        {{VER_PLATFORM_WIN32_NT, 6, 1}, 6.1, false, false, false, false},
    };
    for (const auto& c : cases) {
        Answering as(c.v);
        SCOPED_TRACE(testing::Message() << c.v.platformId << " " << c.v.major << "." << c.v.minor);
        EXPECT_NEAR(OSVersionNumber(), c.number, 1e-9);
        EXPECT_EQ(IsWindows95(), c.w95);
        EXPECT_EQ(IsWindows98Me(), c.w98);
        EXPECT_EQ(IsWindowsNT3(), c.nt3);
        EXPECT_EQ(IsWindowsNT4(), c.nt4);
    }
}

TEST(ApiDeclares, AFailingQueryReadsAsNothing) {
    Answering as({0, 0, 0, true});
    EXPECT_EQ(OSVersionNumber(), 0.0);
    EXPECT_FALSE(IsWindows95() || IsWindows98Me() || IsWindowsNT3() || IsWindowsNT4());
}

TEST(ApiDeclares, TheRealSystemAnswers) {
    EXPECT_GT(OSVersionNumber(), 1.0);
}

}  // namespace
