#include "render/timing.h"

#include "platform/platform.h"
#include "shell/error_log.h"
#include "world/world.h"

TimingState Timing;

namespace {

constexpr int kCalibrationFrames = 60;
// Sleep until this close to the deadline and poll the rest, so it is met exactly without spinning long.
constexpr double kSleepMarginMs = 0.3;

// The vertical blank paces when presenting proved to give 60 Hz, the timer otherwise: never both, since
// a timer wait ahead of a blocking present lands frames on alternate refreshes and judders. Half speed
// waits for two blanks; a display that refuses that is paced by the timer.
// A minimised window's presents may return at once (compositors stop waiting for the display), which
// would run the game many times too fast: the timer paces until the window is back.
void ChoosePacing() {
    int speed = W.Program.SpeedSetting == 1 ? 1 : 0;
    const bool vsync = Timing.VsyncPacing && !plat::window().Minimised();
    int key = (vsync ? 2 : 0) + speed;
    if (key == Timing.pacedFor) return;
    Timing.pacedFor = key;
    plat::Gfx& gfx = plat::gfx();
    if (vsync && gfx.SetSwapInterval(speed + 1)) {
        Timing.SwapInterval = speed + 1;
        Timing.TimerFrames = 0;
    } else {
        gfx.SetSwapInterval(0);
        Timing.SwapInterval = 0;
        Timing.TimerFrames = speed + 1;
    }
}

}  // namespace

void CalibrateTiming(bool skipTest) {
    plat::Clock& clock = plat::clock();
    uint64_t frequency = clock.Frequency();
    if (frequency != 0) {
        Timing.CountsPerFrame = static_cast<double>(static_cast<int64_t>(static_cast<double>(frequency) *
                                                                  static_cast<double>(0.016666668f)));
        Timing.HiresTimer = true;
        LogError("using hires timers\n");
    } else {
        Timing.CountsPerFrame = 16.666666666666668;
        Timing.HiresTimer = false;
        LogError("using lores timers (what the hell processor do you have?)\n");
    }
    Timing.pacedFor = -1;
    if (skipTest) {
        Timing.VsyncPacing = false;
        ChoosePacing();
        return;
    }

    plat::Gfx& gfx = plat::gfx();
    gfx.SetSwapInterval(1);
    double expected = kCalibrationFrames * Timing.CountsPerFrame;
    double actual;
    if (Timing.HiresTimer) {
        uint64_t start = clock.Counter();
        for (int i = 0; i < kCalibrationFrames; ++i) {
            gfx.Clear();
            gfx.Present();
        }
        actual = static_cast<double>(clock.Counter() - start);
        LogError("hires timer     cpf: %lld\n", static_cast<long long>(Timing.CountsPerFrame));
        LogError("hires timer  expect: %lld\n", static_cast<long long>(expected));
        LogError("hires timer  actual: %lld\n", static_cast<long long>(actual));
    } else {
        double start = clock.Milliseconds();
        for (int i = 0; i < kCalibrationFrames; ++i) {
            gfx.Clear();
            gfx.Present();
        }
        actual = clock.Milliseconds() - start;
        LogError("lores timer     cpf: %f\n", Timing.CountsPerFrame);
        LogError("lores timer  expect: %f\n", expected);
        LogError("lores timer  actual: %f\n", actual);
    }

    double difference = expected - actual;
    if (difference >= -5 * Timing.CountsPerFrame && difference <= 5 * Timing.CountsPerFrame) {
        LogError("vsync timing possible, yay!\n");
        Timing.VsyncPacing = true;
    } else {
        LogError("vsync timing not possible, speed test > 5 frames out\n");
        Timing.VsyncPacing = false;
    }
    ChoosePacing();
}

void PaceAndPresent() {
    plat::Clock& clock = plat::clock();
    ChoosePacing();
    if (Timing.TimerFrames > 0) {
        if (Timing.HiresTimer) {
            double wait = Timing.CountsPerFrame * Timing.TimerFrames;
            double ticksPerMs = static_cast<double>(clock.Frequency()) / 1000.0;
            for (;;) {
                double elapsed = static_cast<double>(clock.Counter() - Timing.FrameStamp);
                if (elapsed >= wait) break;
                double remainingMs = (wait - elapsed) / ticksPerMs;
                if (remainingMs > kSleepMarginMs) clock.Sleep(static_cast<uint32_t>((remainingMs - kSleepMarginMs) * 1000.0));
            }
            Timing.FrameStamp = clock.Counter();
        } else {
            // The millisecond path ignores the speed setting.
            for (;;) {
                double remainingMs = Timing.CountsPerFrame - (clock.Milliseconds() - Timing.FrameStampMs);
                if (remainingMs <= 0) break;
                if (remainingMs > kSleepMarginMs) clock.Sleep(static_cast<uint32_t>((remainingMs - kSleepMarginMs) * 1000.0));
            }
            Timing.FrameStampMs = clock.Milliseconds();
        }
    }
    plat::Gfx& gfx = plat::gfx();
    if (Timing.BeforePresentHook) Timing.BeforePresentHook();
    gfx.Present();
    gfx.Clear();
}

void FastForwardGate(const World& w) {
    if (++Timing.PresentCycle > 30) Timing.PresentCycle = 0;
    if (w.Host.FastForward == 0 || Timing.PresentCycle == 0) PaceAndPresent();
}

void ResetTiming() {
    Timing.HiresTimer = Timing.VsyncPacing = false;
    Timing.CountsPerFrame = 0;
    Timing.FrameStamp = 0;
    Timing.FrameStampMs = 0;
    Timing.PresentCycle = 0;
    Timing.SwapInterval = Timing.TimerFrames = 0;
    Timing.pacedFor = -1;
}
