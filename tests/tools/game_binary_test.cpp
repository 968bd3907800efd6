// The game itself where nothing can be shown.
#include <string>

#include "test_support.h"

namespace {

TEST(Game, WithoutADisplayItSaysSoAndEndsCleanly) {
    std::string dir = MakeScratchDir();
    std::string out;
    int status = RunCommand("cd " + dir + " && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " +
                                QUIVEX_GAME_PATH + " 2>&1",
                            out);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("failed to create window (no display?)"), std::string::npos) << out;
    std::string log = ReadFile(dir + "/err.log");
    EXPECT_NE(log.find("launcher not shown\n"), std::string::npos) << log;
    EXPECT_NE(log.find("failed to create window\n"), std::string::npos) << log;
}

}  // namespace
