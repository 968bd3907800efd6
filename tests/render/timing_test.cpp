#include <string>

#include "world/world.h"
#include "render/timing.h"
#include "test_support.h"

namespace {

class TimingTest : public HeadlessTest {
protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        clock().frequency = 1000000;  // a microsecond counter: 16666 ticks a frame
    }
    plat::FakeClock& clock() { return h().clock; }
    // Each present takes this many ticks, as a display refresh would.
    void PresentTakes(uint64_t ticks) {
        h().gfx.onPresent = [this, ticks] { clock().Advance(ticks); };
    }
    std::string Log() { return ReadFile(DataFile("err.log")); }
};

TEST_F(TimingTest, CountsPerFrameIsTheFrequencyTimesOneSixtiethTruncated) {
    CalibrateTiming(true);
    EXPECT_TRUE(Timing.HiresTimer);
    EXPECT_EQ(Timing.CountsPerFrame, 16666);
    clock().frequency = 10000000;
    CalibrateTiming(true);
    EXPECT_EQ(Timing.CountsPerFrame, 166666);
}

TEST_F(TimingTest, WindowedSkipsTheVsyncTest) {
    PresentTakes(16666);
    CalibrateTiming(true);
    EXPECT_FALSE(Timing.VsyncPacing);
    EXPECT_EQ(h().gfx.swapInterval, 0);  // the timer paces; presents do not wait
    EXPECT_EQ(Timing.TimerFrames, 1);
    EXPECT_EQ(h().gfx.presents, 0u);
    EXPECT_EQ(Log(), "using hires timers\n");
}

TEST_F(TimingTest, SixtyRefreshesAtSixtyHertzAllowVsyncPacing) {
    clock().stepPerRead = 0;
    PresentTakes(16667);
    CalibrateTiming(false);
    EXPECT_TRUE(Timing.VsyncPacing);
    EXPECT_EQ(h().gfx.presents, 60u);
    EXPECT_EQ(h().gfx.clears, 60u);
    EXPECT_EQ(Log(),
              "using hires timers\n"
              "hires timer     cpf: 16666\n"
              "hires timer  expect: 999960\n"
              "hires timer  actual: 1000020\n"
              "vsync timing possible, yay!\n");
}

TEST_F(TimingTest, TheFiveFrameWindowIncludesBothEnds) {
    clock().stepPerRead = 0;
    // 60 presents taking exactly 55 and 65 frame times pass; one tick more outside fails.
    struct Case {
        uint64_t total;
        bool vsync;
    } cases[] = {{55 * 16666, true}, {65 * 16666, true}, {55 * 16666 - 1, false}, {65 * 16666 + 1, false},
                 {0, false}, {120 * 16666, false}};
    for (const Case& c : cases) {
        uint64_t presented = 0;
        h().gfx.onPresent = [&] {
            // Spread the total over the 60 presents exactly.
            uint64_t target = c.total * (++presented) / 60;
            uint64_t start = clock().now - (c.total * (presented - 1) / 60);
            clock().now = start + target;
        };
        CalibrateTiming(false);
        EXPECT_EQ(Timing.VsyncPacing, c.vsync) << c.total;
    }
    EXPECT_NE(Log().find("vsync timing not possible, speed test > 5 frames out\n"), std::string::npos);
}

TEST_F(TimingTest, WithoutACounterTheMillisecondTimerIsUsed) {
    clock().frequency = 0;
    CalibrateTiming(true);
    EXPECT_FALSE(Timing.HiresTimer);
    EXPECT_DOUBLE_EQ(Timing.CountsPerFrame, 16.666666666666668);
    EXPECT_EQ(Log(), "using lores timers (what the hell processor do you have?)\n");

    clock().stepPerRead = 0;
    PresentTakes(16667);  // microseconds
    CalibrateTiming(false);
    EXPECT_TRUE(Timing.VsyncPacing);
    EXPECT_NE(Log().find("lores timer     cpf: 16.666667\n"), std::string::npos);
    EXPECT_NE(Log().find("lores timer  expect: 1000.000000\n"), std::string::npos);
}

TEST_F(TimingTest, TimerPacingWaitsOneFrameFromTheLastStamp) {
    CalibrateTiming(true);
    Timing.FrameStamp = clock().now;
    uint64_t start = Timing.FrameStamp;
    PaceAndPresent();
    EXPECT_GE(Timing.FrameStamp - start, 16666u);
    EXPECT_LT(Timing.FrameStamp - start, 16666u + 50);
    EXPECT_EQ(h().gfx.presents, 1u);
    EXPECT_EQ(h().gfx.clears, 1u);
    // The wait gives the processor away instead of spinning through the whole frame.
    EXPECT_GT(clock().sleptUs, 16000u);
    EXPECT_LT(clock().reads, 3000u);
}

// After the vertical-blank test, frames are paced by the display or by the timer, never by both.
TEST_F(TimingTest, PacingAfterCalibrationIsTheVerticalBlankOrTheTimerNeverBoth) {
    struct Case {
        const char* display;
        uint64_t refreshTicks;  // how long one present blocks
        int speed, maxSwapInterval;
        int swapInterval, timerFrames;
    } cases[] = {
        {"60 Hz", 16667, 0, 2, 1, 0},
        {"60 Hz at 30 Hz", 16667, 1, 2, 2, 0},
        {"60 Hz at 30 Hz, two blanks refused", 16667, 1, 1, 0, 2},
        {"144 Hz", 6944, 0, 2, 0, 1},
        {"144 Hz at 30 Hz", 6944, 1, 2, 0, 2},
        {"never waits", 0, 0, 2, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        clock().stepPerRead = 0;
        h().gfx.maxSwapInterval = c.maxSwapInterval;
        W.Program.SpeedSetting = c.speed;
        PresentTakes(c.refreshTicks);
        CalibrateTiming(false);
        EXPECT_EQ(h().gfx.swapInterval, c.swapInterval);
        EXPECT_EQ(Timing.TimerFrames, c.timerFrames);
        // A frame: the present's own blocking, plus the timer's wait only when the timer paces.
        h().gfx.onPresent = nullptr;
        clock().stepPerRead = 1;
        Timing.FrameStamp = clock().now;
        uint64_t start = clock().now;
        PaceAndPresent();
        uint64_t waited = clock().now - start;
        if (c.timerFrames == 0) {
            EXPECT_EQ(waited, 0u);
        }
        EXPECT_GE(waited, c.timerFrames * 16666u);
        EXPECT_LT(waited, c.timerFrames * 16666u + 50);
        // Minimised, the display may stop pacing the presents: the timer takes over, and gives back.
        h().window.minimised = true;
        PaceAndPresent();
        EXPECT_EQ(Timing.TimerFrames, c.speed + 1);
        EXPECT_EQ(h().gfx.swapInterval, 0);
        h().window.minimised = false;
        PaceAndPresent();
        EXPECT_EQ(Timing.TimerFrames, c.timerFrames);
    }
}

TEST_F(TimingTest, ALateFrameIsNotMadeUpLater) {
    CalibrateTiming(true);
    Timing.FrameStamp = clock().now;
    clock().Advance(5 * 16666);  // a very slow frame
    PaceAndPresent();
    uint64_t late = Timing.FrameStamp;
    EXPECT_LT(late - 5 * 16666, clock().now);
    PaceAndPresent();  // the next frame still waits a whole frame from the late stamp
    EXPECT_GE(Timing.FrameStamp - late, 16666u);
}

TEST_F(TimingTest, MillisecondPacingIgnoresTheSpeedSetting) {
    clock().frequency = 0;
    CalibrateTiming(true);
    W.Program.SpeedSetting = 1;
    Timing.FrameStampMs = clock().Milliseconds();
    double start = Timing.FrameStampMs;
    PaceAndPresent();
    EXPECT_GE(Timing.FrameStampMs - start, 16.666);
    EXPECT_LT(Timing.FrameStampMs - start, 17.5);
}

TEST_F(TimingTest, FastForwardPresentsOneFrameInThirtyOne) {
    CalibrateTiming(true);
    Timing.VsyncPacing = true;
    W.Host.FastForward = 1;
    for (int i = 0; i < 31 * 4; ++i) FastForwardGate(W);
    EXPECT_EQ(h().gfx.presents, 4u);
    EXPECT_EQ(Timing.PresentCycle, 0);
    FastForwardGate(W);
    EXPECT_EQ(Timing.PresentCycle, 1);
    // The cycle just wrapped: the next present comes when it is 0 again, 30 frames on.
    for (int i = 0; i < 29; ++i) FastForwardGate(W);
    EXPECT_EQ(h().gfx.presents, 4u);
    FastForwardGate(W);
    EXPECT_EQ(h().gfx.presents, 5u);

    W.Host.FastForward = 0;
    for (int i = 0; i < 10; ++i) FastForwardGate(W);
    EXPECT_EQ(h().gfx.presents, 15u);
}

}  // namespace
