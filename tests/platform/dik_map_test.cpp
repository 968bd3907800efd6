#include <gtest/gtest.h>

#include <set>

#include "platform/inputdev/dik_map.h"

namespace {

// SDL scan codes are USB usage numbers; these are fixed.
TEST(DikMap, CommonKeysGetTheirDirectInputCodes) {
    EXPECT_EQ(plat::DikFromSdlScancode(41), 1);     // Escape
    EXPECT_EQ(plat::DikFromSdlScancode(4), 30);     // A
    EXPECT_EQ(plat::DikFromSdlScancode(27), 45);    // X
    EXPECT_EQ(plat::DikFromSdlScancode(29), 44);    // Z
    EXPECT_EQ(plat::DikFromSdlScancode(40), 28);    // Return
    EXPECT_EQ(plat::DikFromSdlScancode(42), 14);    // Backspace
    EXPECT_EQ(plat::DikFromSdlScancode(226), 56);   // Left Alt
    EXPECT_EQ(plat::DikFromSdlScancode(230), 184);  // Right Alt
    EXPECT_EQ(plat::DikFromSdlScancode(82), 200);   // Up
    EXPECT_EQ(plat::DikFromSdlScancode(81), 208);   // Down
    EXPECT_EQ(plat::DikFromSdlScancode(80), 203);   // Left
    EXPECT_EQ(plat::DikFromSdlScancode(79), 205);   // Right
    EXPECT_EQ(plat::DikFromSdlScancode(72), 197);   // Pause
    EXPECT_EQ(plat::DikFromSdlScancode(58), 59);    // F1
    EXPECT_EQ(plat::DikFromSdlScancode(59), 60);    // F2
    EXPECT_EQ(plat::DikFromSdlScancode(66), 67);    // F9
    EXPECT_EQ(plat::DikFromSdlScancode(69), 88);    // F12
    EXPECT_EQ(plat::DikFromSdlScancode(88), 156);   // keypad Enter
    EXPECT_EQ(plat::DikFromSdlScancode(228), 157);  // Right Ctrl
}

TEST(DikMap, UnknownAndOutOfRangeCodesHaveNoCounterpart) {
    EXPECT_EQ(plat::DikFromSdlScancode(0), 0);
    EXPECT_EQ(plat::DikFromSdlScancode(-1), 0);
    EXPECT_EQ(plat::DikFromSdlScancode(100000), 0);
}

TEST(DikMap, NoTwoKeysShareACode) {
    std::set<int> seen;
    int mapped = 0;
    for (int sc = 0; sc < 512; ++sc) {
        int dik = plat::DikFromSdlScancode(sc);
        if (dik == 0) continue;
        ++mapped;
        EXPECT_TRUE(seen.insert(dik).second) << "scan code " << sc << " repeats " << dik;
        EXPECT_LT(dik, 256);
    }
    EXPECT_GT(mapped, 130);
}

}  // namespace
