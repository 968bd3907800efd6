// The game itself where nothing can be shown.
#include <cstdlib>
#include <string>

#include "test_support.h"
#include "world/world.h"

namespace {

TEST(Game, WithoutADisplayItSaysSoAndEndsCleanly) {
    std::string dir = MakeScratchDir();
    std::string out;
    // Looking for a display loads the system's graphics libraries, whose threads can crash LeakSanitizer's
    // tracer; this checks what the game says, not leaks.
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::string sanitizer = "ASAN_OPTIONS='" + (asan && *asan ? std::string(asan) + ":" : "") + "detect_leaks=0' ";
    int status = RunCommand("cd " + dir + " && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER " + sanitizer +
                                QUIVEX_GAME_PATH + " 2>&1",
                            out);
    EXPECT_EQ(status, 0) << out;
    EXPECT_NE(out.find("failed to create window (no display?)"), std::string::npos) << out;
    std::string log = ReadFile(dir + "/err.log");
    EXPECT_NE(log.find("launcher not shown\n"), std::string::npos) << log;
    EXPECT_NE(log.find("failed to create window\n"), std::string::npos) << log;
}

// Options are read before anything opens, so these need no display.
TEST(Game, HelpAndRefusedOptionsEndBeforeAWindow) {
    std::string dir = MakeScratchDir();
    std::string out;
    std::string game = "cd " + dir + " && env -u DISPLAY -u WAYLAND_DISPLAY " + QUIVEX_GAME_PATH;
    EXPECT_EQ(RunCommand(game + " --help 2>/dev/null", out), 0);
    EXPECT_NE(out.find("--no-launcher"), std::string::npos) << out;
    EXPECT_EQ(RunCommand(game + " --resolution 3x3 2>&1 >/dev/null", out), 2);
    EXPECT_NE(out.find("'3x3'"), std::string::npos) << out;
    EXPECT_NE(out.find("Usage:"), std::string::npos) << out;
    EXPECT_FALSE(FileExists(dir + "/err.log"));
}

}  // namespace
