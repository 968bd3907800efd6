#include "shell/timing.h"

#include "platform/platform.h"
#include "shell/error_log.h"
#include "world/world.h"

bool HiresTimer;
double CountsPerFrame;
bool VsyncPacing;
uint64_t FrameStamp;
double FrameStampMs;
int32_t PresentCycle;
int32_t SwapInterval;
int32_t TimerFrames;
void (*BeforePresentHook)();

namespace {

constexpr int kCalibrationFrames = 60;
// Sleep until this close to the deadline and poll the rest, so it is met exactly without spinning long.
constexpr double kSleepMarginMs = 0.3;

int pacedFor = -1;  // the (vsync, speed) the pacing was last chosen for

// The vertical blank paces when presenting proved to give 60 Hz, the timer otherwise: never both, since
// a timer wait ahead of a blocking present lands frames on alternate refreshes and judders. Half speed
// waits for two blanks; a display that refuses that is paced by the timer.
// A minimised window's presents may return at once (compositors stop waiting for the display), which
// would run the game many times too fast: the timer paces until the window is back.
void ChoosePacing() {
    int speed = W.Program.SpeedSetting == 1 ? 1 : 0;
    const bool vsync = VsyncPacing && !plat::window().Minimised();
    int key = (vsync ? 2 : 0) + speed;
    if (key == pacedFor) return;
    pacedFor = key;
    plat::Gfx& gfx = plat::gfx();
    if (vsync && gfx.SetSwapInterval(speed + 1)) {
        SwapInterval = speed + 1;
        TimerFrames = 0;
    } else {
        gfx.SetSwapInterval(0);
        SwapInterval = 0;
        TimerFrames = speed + 1;
    }
}

}  // namespace

void CalibrateTiming(bool skipTest) {
    plat::Clock& clock = plat::clock();
    uint64_t frequency = clock.Frequency();
    if (frequency != 0) {
        CountsPerFrame = static_cast<double>(static_cast<int64_t>(static_cast<double>(frequency) *
                                                                  static_cast<double>(0.016666668f)));
        HiresTimer = true;
        LogError("using hires timers\n");
    } else {
        CountsPerFrame = 16.666666666666668;
        HiresTimer = false;
        LogError("using lores timers (what the hell processor do you have?)\n");
    }
    pacedFor = -1;
    if (skipTest) {
        VsyncPacing = false;
        ChoosePacing();
        return;
    }

    plat::Gfx& gfx = plat::gfx();
    gfx.SetSwapInterval(1);
    double expected = kCalibrationFrames * CountsPerFrame;
    double actual;
    if (HiresTimer) {
        uint64_t start = clock.Counter();
        for (int i = 0; i < kCalibrationFrames; ++i) {
            gfx.Clear();
            gfx.Present();
        }
        actual = static_cast<double>(clock.Counter() - start);
        LogError("hires timer     cpf: %lld\n", static_cast<long long>(CountsPerFrame));
        LogError("hires timer  expect: %lld\n", static_cast<long long>(expected));
        LogError("hires timer  actual: %lld\n", static_cast<long long>(actual));
    } else {
        double start = clock.Milliseconds();
        for (int i = 0; i < kCalibrationFrames; ++i) {
            gfx.Clear();
            gfx.Present();
        }
        actual = clock.Milliseconds() - start;
        LogError("lores timer     cpf: %f\n", CountsPerFrame);
        LogError("lores timer  expect: %f\n", expected);
        LogError("lores timer  actual: %f\n", actual);
    }

    double difference = expected - actual;
    if (difference >= -5 * CountsPerFrame && difference <= 5 * CountsPerFrame) {
        LogError("vsync timing possible, yay!\n");
        VsyncPacing = true;
    } else {
        LogError("vsync timing not possible, speed test > 5 frames out\n");
        VsyncPacing = false;
    }
    ChoosePacing();
}

void PaceAndPresent() {
    plat::Clock& clock = plat::clock();
    ChoosePacing();
    if (TimerFrames > 0) {
        if (HiresTimer) {
            double wait = CountsPerFrame * TimerFrames;
            double ticksPerMs = static_cast<double>(clock.Frequency()) / 1000.0;
            for (;;) {
                double elapsed = static_cast<double>(clock.Counter() - FrameStamp);
                if (elapsed >= wait) break;
                double remainingMs = (wait - elapsed) / ticksPerMs;
                if (remainingMs > kSleepMarginMs) clock.Sleep(static_cast<uint32_t>((remainingMs - kSleepMarginMs) * 1000.0));
            }
            FrameStamp = clock.Counter();
        } else {
            // The millisecond path ignores the speed setting.
            for (;;) {
                double remainingMs = CountsPerFrame - (clock.Milliseconds() - FrameStampMs);
                if (remainingMs <= 0) break;
                if (remainingMs > kSleepMarginMs) clock.Sleep(static_cast<uint32_t>((remainingMs - kSleepMarginMs) * 1000.0));
            }
            FrameStampMs = clock.Milliseconds();
        }
    }
    plat::Gfx& gfx = plat::gfx();
    if (BeforePresentHook) BeforePresentHook();
    gfx.Present();
    gfx.Clear();
}

void FastForwardGate() {
    if (++PresentCycle > 30) PresentCycle = 0;
    if (W.Host.FastForward == 0 || PresentCycle == 0) PaceAndPresent();
}

void ResetTiming() {
    HiresTimer = VsyncPacing = false;
    CountsPerFrame = 0;
    FrameStamp = 0;
    FrameStampMs = 0;
    PresentCycle = 0;
    SwapInterval = TimerFrames = 0;
    pacedFor = -1;
}
