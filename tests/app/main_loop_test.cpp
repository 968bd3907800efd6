#include <cmath>
#include <string>

#include "audio/audio.h"
#include "shell/data_dir.h"
#include "render/device.h"
#include "shell/error_log.h"
#include "world/world.h"
#include "app/main_loop.h"
#include "frontend/update.h"
#include "shell/settings.h"
#include "render/timing.h"
#include "shell/trig.h"
#include "test_support.h"

namespace {

class MainLoopTest : public HeadlessTest {
protected:
    bool Start() {
        int code = -1;
        bool ok = StartProgram(StartOptions{}, code);
        exitCode = code;
        return ok;
    }
    std::string Log() { return ReadFile(DataFile("err.log")); }
    int exitCode = -1;
};

TEST_F(MainLoopTest, StartUpCreatesLogWindowSettingsAndDevice) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(Log().rfind("error log file\n==============\n", 0), 0u);
    EXPECT_EQ(h().window.title, "quiv-ex");
    EXPECT_TRUE(h().window.shown);
    EXPECT_TRUE(h().gfx.device);
    EXPECT_TRUE(h().gfx.standingState);
    EXPECT_FALSE(h().gfx.depthTest);
    EXPECT_EQ(ReadFile(DataFile("quivex.cfg")),
              "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 1 1 0 0 0 0 0 0 0 0 0 0 0 0 100 100");
    // Full screen at the default 800 x 600, cursor hidden, timing calibrated.
    EXPECT_EQ(h().gfx.width, 800);
    EXPECT_EQ(h().gfx.height, 600);
    EXPECT_TRUE(h().window.cursorHidden);
    EXPECT_NE(Log().find("using hires timers\n"), std::string::npos);
    EXPECT_NE(Log().find("vsync timing"), std::string::npos);
    EXPECT_GT(Content.CosTable[0], 0.99f);
}

TEST_F(MainLoopTest, WindowedStartSizesTheClientAreaToTheResolution) {
    WriteFile(DataFile("quivex.cfg"),
              "9990 200 208 203 205 45 44 197 2002 2003 2000 2001 1000 1001 1 2 0 1 0 0 0 0 0 0 0 0 0 0 40 50");
    ASSERT_TRUE(Start());
    EXPECT_EQ(h().window.clientW, 1024);
    EXPECT_EQ(h().window.clientH, 768);
    EXPECT_EQ(h().window.posX, 40);
    EXPECT_EQ(h().window.posY, 50);
    EXPECT_TRUE(h().window.topmost);
    EXPECT_FALSE(h().window.cursorHidden);
    EXPECT_NE(Log().find("change_window_size: 1032 795\n"), std::string::npos);
    // Windowed: no vsync test, timer pacing.
    EXPECT_EQ(Log().find("vsync timing"), std::string::npos);
    EXPECT_FALSE(Timing.VsyncPacing);
}

TEST_F(MainLoopTest, ADeviceThatCannotBeCreatedEndsTheProgramWithAMessage) {
    h().gfx.failCreate = true;
    EXPECT_FALSE(Start());
    EXPECT_EQ(exitCode, 0);
    ASSERT_EQ(h().window.messageBoxes.size(), 1u);
    EXPECT_EQ(h().window.messageBoxes[0], "error...|directx init failed");
    std::string log = Log();
    EXPECT_NE(log.find("failed to create a directx device (CreateDevice) \n"), std::string::npos);
    EXPECT_EQ(log.substr(log.size() - 19), "directx init failed");
}

TEST_F(MainLoopTest, WarmUpRunsTwoHundredPresentedFrames) {
    ASSERT_TRUE(Start());
    uint64_t before = h().gfx.presents;
    int code;
    ASSERT_TRUE(RunWarmUpFrames(code));
    EXPECT_EQ(h().gfx.presents - before, 200u);
}

TEST_F(MainLoopTest, QuittingRunsOneMorePassThenEnds) {
    ASSERT_TRUE(Start());
    int code = -1;
    ASSERT_TRUE(FramePass(code));
    W.Program.GameMode = Mode::Quitting;
    uint64_t presents = h().gfx.presents;
    EXPECT_TRUE(FramePass(code));  // the window is destroyed, the rest of the pass still runs
    EXPECT_TRUE(h().window.destroyed);
    EXPECT_EQ(h().gfx.presents, presents + 1);
    EXPECT_FALSE(FramePass(code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(h().gfx.device);  // released on the way out
}

TEST_F(MainLoopTest, EveryWindowMoveSavesThePosition) {
    ASSERT_TRUE(Start());
    int code;
    h().window.Inject({plat::WindowEventKind::Moved, 300, 200});
    ASSERT_TRUE(FramePass(code));
    EXPECT_EQ(W.Saved.WindowX, 300);
    EXPECT_EQ(W.Saved.WindowY, 200);
    EXPECT_NE(ReadFile(DataFile("quivex.cfg")).find(" 300 200"), std::string::npos);
    h().window.Inject({plat::WindowEventKind::Moved, 301, 200});
    ASSERT_TRUE(FramePass(code));
    EXPECT_NE(ReadFile(DataFile("quivex.cfg")).find(" 301 200"), std::string::npos);
}

TEST_F(MainLoopTest, GameOverReturnsToTheMenuAtTwoHundredAndCountsOnce) {
    LoadSettings();
    W.Program.GameMode = Mode::Playing;
    W.Game.Lives = 0;
    W.MusicTrack = 0;
    W.Saved.HiScore = 31;  // reaches the file with the save made on the way out
    UpdateFrame();
    EXPECT_EQ(W.MusicTrack, -1);  // the music stops at once
    for (int i = 1; i < 200; ++i) UpdateFrame();
    EXPECT_EQ(W.Program.GameMode, Mode::Playing);
    EXPECT_EQ(W.Game.GameOverTimer, 200);
    EXPECT_FALSE(FileExists(DataFile("quivex.cfg")));
    UpdateFrame();
    EXPECT_EQ(W.Program.GameMode, Mode::Menu);
    EXPECT_EQ(W.Game.GameOverTimer, 201);
    EXPECT_NE(ReadFile(DataFile("quivex.cfg")).find(" 31 "), std::string::npos);
    UpdateFrame();  // the menu no longer counts
    EXPECT_EQ(W.Game.GameOverTimer, 201);
}

TEST_F(MainLoopTest, PausedAndCaptureFramesDoNotCountTheGameOver) {
    W.Game.Lives = 0;
    for (int mode : {Mode::Paused, Mode::CaptureBinding, Mode::Quitting, Mode::Menu}) {
        W.Program.GameMode = mode;
        UpdateFrame();
        EXPECT_EQ(W.Program.GameMode, mode);
    }
    EXPECT_EQ(W.Game.GameOverTimer, 0);
}

class ErrorLogTest : public HeadlessTest {};

TEST_F(ErrorLogTest, EachStartLeavesOnlyItsOwnEntries) {
    OpenErrorLog();
    LogError("first run %d\n", 1);
    OpenErrorLog();
    LogError("value %d %s %x", 7, "text", 255);
    EXPECT_EQ(ReadFile(DataFile("err.log")), "error log file\n==============\nvalue 7 text ff");
}

TEST_F(ErrorLogTest, AnUnwritableLogDropsEntriesSilently) {
    SetDataDir("/proc/self");
    OpenErrorLog();
    LogError("lost\n");
    EXPECT_FALSE(FileExists("/proc/self/err.log"));
}

TEST_F(ErrorLogTest, MessageBoxTextIsCutAtFiftyOneCharacters) {
    std::string longText(80, 'a');
    ErrorBox("%s%d", longText.c_str(), 5);
    ASSERT_EQ(h().window.messageBoxes.size(), 1u);
    EXPECT_EQ(h().window.messageBoxes[0], "error...|" + std::string(51, 'a'));
    EXPECT_FALSE(FileExists(DataFile("err.log")));  // a box writes nothing to the log
}

}  // namespace
