#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "input/control_lists.h"
#include "input/key_names.h"

namespace {

std::string Name(int code) {
    char buf[kKeyNameBuffer];
    KeyName(code, buf, sizeof buf);
    return buf;
}

TEST(ControlsListsTest, KeyboardListIsEveryNamedCodeBelow255Ascending) {
    std::vector<int32_t> codes = KeyboardListCodes();
    EXPECT_TRUE(std::is_sorted(codes.begin(), codes.end()));
    EXPECT_EQ(std::adjacent_find(codes.begin(), codes.end()), codes.end());
    for (int code = 0; code <= 255; ++code) {
        bool listed = std::find(codes.begin(), codes.end(), code) != codes.end();
        EXPECT_EQ(listed, code != 255 && !Name(code).empty()) << code;
    }
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.front(), 1);    // ESC: 0 has no name
    EXPECT_EQ(codes.back(), 237);   // MEDIA
    // The named table below 255 (the one name of our own, 183, included).
    EXPECT_EQ(codes.size(), 144u);
}

TEST(ControlsListsTest, JoypadListIsTheFourAxesThenButtonsOneTo32) {
    std::vector<int32_t> codes = JoypadListCodes();
    ASSERT_EQ(codes.size(), 36u);
    EXPECT_EQ(codes[0], 2000);
    EXPECT_EQ(codes[1], 2001);
    EXPECT_EQ(codes[2], 2002);
    EXPECT_EQ(codes[3], 2003);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(codes[4 + i], 1000 + i);
    EXPECT_EQ(Name(codes[4]), "button: 1");
    EXPECT_EQ(Name(codes[35]), "button: 32");
}

}  // namespace
