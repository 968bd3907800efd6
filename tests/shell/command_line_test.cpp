#include <cstdio>
#include <string>
#include <vector>

#include "shell/command_line.h"
#include "shell/options.h"
#include "world/world.h"
#include "shell/settings.h"
#include "test_support.h"

namespace {

using CommandLineTest = HeadlessTest;

bool Parse(std::vector<const char*> args, CommandLine& out, std::string& error) {
    args.insert(args.begin(), "quivex");
    return ParseCommandLine(static_cast<int>(args.size()), args.data(), out, error);
}

// Each accepted list is applied over saved settings of windowed, 1280x1024, horizontal.
TEST_F(CommandLineTest, AcceptedListsWriteTheirChoicesOverTheSavedOnes) {
    const struct {
        std::vector<const char*> args;
        int windowed, resolution, orientation;
        bool noLauncher, help;
    } cases[] = {
        {{}, 1, 4, 1, false, false},
        {{"--fullscreen"}, 0, 4, 1, false, false},
        {{"--windowed", "--fullscreen"}, 0, 4, 1, false, false},
        {{"--fullscreen", "--windowed"}, 1, 4, 1, false, false},
        {{"--resolution", "640x480", "--orientation", "tate"}, 1, 0, 2, false, false},
        {{"--resolution=1280x720", "--orientation=vertical", "--no-launcher"}, 1, 3, 0, true, false},
        {{"--orientation", "horizontal", "--resolution=1600x1200", "--fullscreen"}, 0, 5, 1, false, false},
        {{"--no-launcher", "-h"}, 1, 4, 1, true, true},
        {{"--help"}, 1, 4, 1, false, true},
    };
    for (const auto& c : cases) {
        std::string label;
        for (const char* a : c.args) label += std::string(a) + " ";
        CommandLine line;
        std::string error;
        ASSERT_TRUE(Parse(c.args, line, error)) << label << error;
        W.Saved.Windowed = 1, W.Saved.ResolutionIndex = 4, W.Saved.ScreenOrientation = 1;
        ApplyCommandLine(line);
        EXPECT_EQ(W.Saved.Windowed, c.windowed) << label;
        EXPECT_EQ(W.Saved.ResolutionIndex, c.resolution) << label;
        EXPECT_EQ(W.Saved.ScreenOrientation, c.orientation) << label;
        EXPECT_EQ(line.noLauncher, c.noLauncher) << label;
        EXPECT_EQ(line.help, c.help) << label;
    }
}

TEST_F(CommandLineTest, RefusedListsGiveAOneLineReason) {
    const std::vector<const char*> cases[] = {
        {"--board", "ftp://127.0.0.1/"}, {"--board=https://127.0.0.1 b"}, {"--board"}, {"--board=http://"},
        {"--resolution", "3x3"},  {"--resolution", "1280x1024x"}, {"--resolution=640X480"}, {"--resolution"},
        {"--resolution="},        {"--orientation", "sideways"},  {"--orientation"},        {"--windowed=1"},
        {"--help=yes"},           {"--fullscreen", "extra"},      {"--frobnicate"},         {"--frobnicate=1"},
        {"-w"},                   {"--"},                         {"windowed"},
    };
    for (const auto& args : cases) {
        CommandLine line;
        std::string error;
        EXPECT_FALSE(Parse(args, line, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

// The command line names the resolutions before the settings fill the table the window uses.
TEST_F(CommandLineTest, EveryResolutionOfTheTableIsAcceptedAsItsOwnIndex) {
    LoadSettings();
    for (int i = 0; i < kResolutionCount; ++i) {
        char value[32];
        std::snprintf(value, sizeof value, "%dx%d", ResolutionWidths[i], ResolutionHeights[i]);
        CommandLine line;
        std::string error;
        ASSERT_TRUE(Parse({"--resolution", value}, line, error)) << value << ": " << error;
        EXPECT_EQ(line.resolutionIndex, i) << value;
    }
}

// The boards' address from the command line is kept in options.cfg with the rest; one that is no
// http(s) address of printable text, or too long, is never kept, and reads as none.
TEST_F(CommandLineTest, TheBoardsAddressIsKeptOnlyWhenItIsOne) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(Parse({"--board", "https://127.0.0.1:8470/qx"}, line, error)) << error;
    ApplyCommandLine(line);
    Options.OnlineBoards = 1;
    char text[512];
    ASSERT_GT(FormatOptions(text, sizeof text), 0);
    const std::string saved = text;
    EXPECT_NE(saved.find("online_boards = on\nboard = https://127.0.0.1:8470/qx\n"), std::string::npos) << saved;
    LoadOptionsFromText(saved.data(), saved.size());
    EXPECT_STREQ(Options.BoardAddress, "https://127.0.0.1:8470/qx");
    EXPECT_EQ(Options.OnlineBoards, 1);
    const std::vector<std::string> bad = {"board = ftp://127.0.0.1/\n", "board = https://127.0.0.1\t/\n",
                                          "board = https://127.0.0.1/" + std::string(300, 'a') + "\n",
                                          "board = javascript:alert(1)\n"};
    for (const std::string& line : bad) {
        LoadOptionsFromText(line.data(), line.size());
        EXPECT_STREQ(Options.BoardAddress, "") << line;
        EXPECT_EQ(Options.OnlineBoards, 0) << line;
    }
}

}  // namespace
