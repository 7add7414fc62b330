#include <gtest/gtest.h>
#include "hook/WordHelpers.h"

using namespace quillon;

TEST(WordHelpers, HiWordIsSignExtended) {
    EXPECT_EQ(HiWord(0xFFFF0000), -1);
    EXPECT_EQ(HiWord(0x00120034), 18);
    EXPECT_EQ(HiWord(0x80000000), -32768);
    EXPECT_EQ(HiWord(0x7FFFFFFF), 32767);
    EXPECT_EQ(HiWord(0x0000FFFF), 0);
}

TEST(WordHelpers, LoWordIsTheLowSixteenBits) {
    EXPECT_EQ(LoWord(0x00120034), 0x34);
    EXPECT_EQ(LoWord(0xFFFF0000), 0);
    EXPECT_EQ(LoWord(0x1234FFFF), 0xFFFF);
    EXPECT_EQ(LoWord(7), 7);
}

TEST(WordHelpers, MakeLongInBothArgumentOrders) {
    EXPECT_EQ(MakeLong(0x1234, 0x5678), 0x56781234);
    EXPECT_EQ(MakeLongHiLo(0x5678, 0x1234), 0x56781234);
    EXPECT_EQ(MakeLong(-1, 0), 0x0000FFFF) << "the low word is masked";
    EXPECT_EQ(static_cast<uint32_t>(MakeLong(0, 0xFFFF)), 0xFFFF0000u);
    EXPECT_EQ(HiWord(MakeLong(0x34, 0x12)), 0x12);
    EXPECT_EQ(LoWord(MakeLong(0x34, 0x12)), 0x34);
}
