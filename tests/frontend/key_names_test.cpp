#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "input/key_names.h"

namespace {

std::string Name(int code) {
    char buf[kKeyNameBuffer];
    std::memset(buf, 'x', sizeof buf);
    KeyName(code, buf, sizeof buf);
    return buf;
}

TEST(KeyNameTest, ButtonsCountFromOne) {
    EXPECT_EQ(Name(1000), "button: 1");
    EXPECT_EQ(Name(1127), "button: 128");
    EXPECT_EQ(Name(1999), "button: 1000");
}

TEST(KeyNameTest, AxisDirections) {
    EXPECT_EQ(Name(2000), "axis X minus");
    EXPECT_EQ(Name(2001), "axis X positive");
    EXPECT_EQ(Name(2002), "axis Y minus");
    EXPECT_EQ(Name(2003), "axis Y positive");
}

TEST(KeyNameTest, UnnamedCodesGiveAnEmptyText) {
    for (int code : {0, 84, 255, 256, 999, 2004, -1, -1000, 85, 182, 254}) EXPECT_EQ(Name(code), "") << code;
}

TEST(KeyNameTest, KeysByScanCode) {
    EXPECT_EQ(Name(1), "ESC");
    EXPECT_EQ(Name(14), "BKSPACE");
    EXPECT_EQ(Name(45), "X");
    EXPECT_EQ(Name(69), "NULLOCK");
    EXPECT_EQ(Name(156), "ENTER");
    EXPECT_EQ(Name(197), "PAUSE");
    EXPECT_EQ(Name(200), "UP ARROW");
    EXPECT_EQ(Name(208), "DOWN ARROW");
    EXPECT_EQ(Name(237), "MEDIA");
    EXPECT_FALSE(Name(183).empty());  // print screen can be captured, so it needs a name
}

TEST(KeyNameTest, SharedTextsStaySeparateCodes) {
    EXPECT_EQ(Name(149), "STOP");
    EXPECT_EQ(Name(164), "STOP");
    EXPECT_EQ(Name(232), "STOP");
    EXPECT_EQ(Name(178), "HOME");
    EXPECT_EQ(Name(199), "HOME");
    EXPECT_EQ(Name(51), ",");
    EXPECT_EQ(Name(179), ",");
}

TEST(KeyNameTest, TheKeyboardListOffersEveryNamedCode) {
    int named = 0;
    for (int code = 0; code <= 254; ++code) {
        std::string n = Name(code);
        EXPECT_LE(n.size(), 16u) << code;
        named += !n.empty();
    }
    EXPECT_EQ(named, 144);
}

TEST(KeyNameTest, ASmallBufferIsCutNotOverrun) {
    char buf[6] = {'a', 'a', 'a', 'a', 'a', 'z'};
    KeyName(1127, buf, 5);
    EXPECT_STREQ(buf, "butt");
    EXPECT_EQ(buf[5], 'z');
}

}  // namespace
