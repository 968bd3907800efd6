#include <gtest/gtest.h>

#include "../tools/sim/key_script.h"

namespace {

TEST(KeyScript, ReadsPressesReleasesAndComments) {
    std::vector<KeyEvent> events;
    std::string error;
    ASSERT_TRUE(ParseKeyScript("# start\n10 +45\n\n  12 -45   # let go\n5 +2002\n10 +1000\n", events, error));
    ASSERT_EQ(events.size(), 4u);
    // Sorted by frame, keeping the written order within a frame.
    EXPECT_EQ(events[0].frame, 5);
    EXPECT_EQ(events[0].code, 2002);
    EXPECT_TRUE(events[1].press);
    EXPECT_EQ(events[1].code, 45);
    EXPECT_EQ(events[2].code, 1000);
    EXPECT_FALSE(events[3].press);
    EXPECT_EQ(events[3].frame, 12);
}

TEST(KeyScript, RejectsMalformedLinesNamingThem) {
    for (const char* bad : {"10 45\n", "x +45\n", "10 +\n", "10 +4x\n", "-1 +45\n", "10 +45 7\n"}) {
        std::vector<KeyEvent> events;
        std::string error;
        EXPECT_FALSE(ParseKeyScript(std::string("1 +1\n") + bad, events, error)) << bad;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}

}  // namespace
