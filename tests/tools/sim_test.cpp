// The headless runner as a whole program: start-up, frames, summary.
#include <sstream>
#include <string>

#include "test_support.h"

namespace {

std::string Sim(const std::string& args, int& status) {
    std::string out;
    status = RunCommand(std::string(QUIVEX_SIM_PATH) + " " + args + " 2>&1", out);
    return out;
}

TEST(Sim, FreshFolderGetsTheDefaultSettingsFileAndALog) {
    std::string dir = MakeScratchDir();
    int status;
    std::string out = Sim("--frames 300 --dir " + dir, status);
    ASSERT_EQ(status, 0) << out;
    EXPECT_EQ(ReadFile(dir + "/quivex.cfg"),
              "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 1 1 0 0 0 0 0 0 0 0 0 0 0 0 100 100");
    EXPECT_EQ(ReadFile(dir + "/err.log").rfind("error log file\n==============\nusing hires timers\n", 0), 0u);
    for (const char* key : {"frames", "mode", "level", "clock", "lives", "held", "peak", "weapon", "enemies",
                            "bullets", "hash"})
        EXPECT_NE(SummaryValue(out, key), "") << key << " missing in:\n" << out;
    EXPECT_EQ(SummaryValue(out, "frames"), "300");
    EXPECT_EQ(SummaryValue(out, "mode"), "0");
    EXPECT_EQ(SummaryValue(out, "hash").size(), 16u);
}

TEST(Sim, SameArgumentsGiveTheSameHash) {
    std::string a = MakeScratchDir(), b = MakeScratchDir();
    int status;
    std::string first = Sim("--frames 50 --seed 7 --dir " + a, status);
    ASSERT_EQ(status, 0);
    std::string second = Sim("--frames 50 --seed 7 --dir " + b, status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(SummaryValue(first, "hash"), SummaryValue(second, "hash"));
    std::string other = Sim("--frames 50 --seed 8 --dir " + b, status);
    EXPECT_NE(SummaryValue(first, "hash"), SummaryValue(other, "hash"));
}

TEST(Sim, AnUnwritableWorkingFolderMovesTheFilesToTheConfigFolder) {
    std::string home = MakeScratchDir();
    int status;
    // Nothing can be created under /proc, not even by root.
    std::string out = Sim("--frames 10 --dir /proc/self", status);
    std::string env = "XDG_CONFIG_HOME=" + home + "/conf ";
    std::string cmd = env + QUIVEX_SIM_PATH + " --frames 10 --dir /proc/self 2>&1";
    ASSERT_EQ(RunCommand(cmd, out), 0) << out;
    EXPECT_TRUE(FileExists(home + "/conf/quiv-ex/quivex.cfg"));
    EXPECT_EQ(ReadFile(home + "/conf/quiv-ex/err.log").rfind("error log file\n", 0), 0u);

    cmd = "env -u XDG_CONFIG_HOME HOME=" + home + " " + QUIVEX_SIM_PATH + " --frames 10 --dir /proc/self 2>&1";
    ASSERT_EQ(RunCommand(cmd, out), 0) << out;
    EXPECT_TRUE(FileExists(home + "/.config/quiv-ex/quivex.cfg"));
}

TEST(Sim, DamagedSettingsNeverStopTheProgram) {
    for (const char* text : {"garbage \x01\x02\xff", "9990 9 9 9 9 9 9 9 9 9 9 9 9 9 9 99 99 99", "12 13",
                             "9990 -2147483648 2147483647 99999999999999999999"}) {
        std::string dir = MakeScratchDir();
        WriteFile(dir + "/quivex.cfg", text);
        int status;
        std::string out = Sim("--frames 5 --dir " + dir, status);
        EXPECT_EQ(status, 0) << text << "\n" << out;
        std::string saved = ReadFile(dir + "/quivex.cfg");
        EXPECT_EQ(saved.rfind("9990 ", 0), 0u) << saved;
    }
}

TEST(Sim, BadArgumentsAreRefused) {
    int status;
    for (const char* bad : {"", "--frames x", "--frames 5 --keys /nonexistent/keys.txt", "--frames 5 --bogus",
                            "--frames 1 --start", "--frames 1 --start level", "--frames 1 --start level 0",
                            "--frames 1 --start boss 5", "--frames 1 --start fast", "--frames 1 --until",
                            "--frames 1 --until report+x", "--frames 1 --shot 3:x.png"}) {
        Sim(bad, status);
        EXPECT_EQ(status, 2) << bad;
    }
}

}  // namespace
