#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/inputdev/dik_map.h"

namespace {

// SDL scan codes are USB usage numbers; these are fixed.
TEST(DikMap, CommonKeysGetTheirDirectInputCodes) {
    // Escape, A, X, Z, Return, Backspace, left and right Alt, the arrows, Pause, F1, F2, F9, F12,
    // keypad Enter and right Ctrl.
    const std::pair<int, int> keys[] = {{41, 1},   {4, 30},   {27, 45},  {29, 44},  {40, 28},  {42, 14},  {226, 56},
                                        {230, 184}, {82, 200}, {81, 208}, {80, 203}, {79, 205}, {72, 197}, {58, 59},
                                        {59, 60},  {66, 67},  {69, 88},  {88, 156}, {228, 157}};
    for (auto [scancode, dik] : keys) EXPECT_EQ(plat::DikFromSdlScancode(scancode), dik) << scancode;
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
