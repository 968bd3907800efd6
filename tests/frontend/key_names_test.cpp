#include <cstring>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "input/key_names.h"

namespace {

std::string Name(int code) {
    char buf[kKeyNameBuffer];
    std::memset(buf, 'x', sizeof buf);
    KeyName(code, buf, sizeof buf);
    return buf;
}

TEST(KeyNameTest, ButtonsAxesAndKeys) {
    // Buttons count from one; several keys share a text and stay separate codes.
    const std::pair<int, const char*> names[] = {
        {1000, "button: 1"}, {1127, "button: 128"}, {1999, "button: 1000"}, {2000, "axis X minus"},
        {2001, "axis X positive"}, {2002, "axis Y minus"}, {2003, "axis Y positive"}, {1, "ESC"}, {14, "BKSPACE"},
        {45, "X"}, {69, "NULLOCK"}, {156, "ENTER"}, {197, "PAUSE"}, {200, "UP ARROW"}, {208, "DOWN ARROW"},
        {237, "MEDIA"}, {149, "STOP"}, {164, "STOP"}, {232, "STOP"}, {178, "HOME"}, {199, "HOME"}, {51, ","},
        {179, ","}};
    for (auto [code, name] : names) EXPECT_EQ(Name(code), name) << code;
    EXPECT_FALSE(Name(183).empty());  // print screen can be captured, so it needs a name
}

TEST(KeyNameTest, UnnamedCodesGiveAnEmptyText) {
    for (int code : {0, 84, 255, 256, 999, 2004, -1, -1000, 85, 182, 254}) EXPECT_EQ(Name(code), "") << code;
}

TEST(KeyNameTest, EveryNameFitsTheListsAndTheInfoText) {
    for (int code = 0; code <= 254; ++code) EXPECT_LE(Name(code).size(), 16u) << code;
}

TEST(KeyNameTest, ASmallBufferIsCutNotOverrun) {
    char buf[6] = {'a', 'a', 'a', 'a', 'a', 'z'};
    KeyName(1127, buf, 5);
    EXPECT_STREQ(buf, "butt");
    EXPECT_EQ(buf[5], 'z');
}

}  // namespace
