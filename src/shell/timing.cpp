#include "shell/timing.h"

#include "platform/platform.h"
#include "shell/error_log.h"
#include "shell/game_vars.h"

bool HiresTimer;
double CountsPerFrame;
bool VsyncPacing;
uint64_t FrameStamp;
double FrameStampMs;
int32_t PresentCycle;
void (*BeforePresentHook)();

namespace {

constexpr int kCalibrationFrames = 60;
constexpr double kSleepMarginMs = 2.0;  // wake this early and poll the rest, so the deadline is exact

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
    if (skipTest) {
        VsyncPacing = false;
        return;
    }

    plat::Gfx& gfx = plat::gfx();
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
}

void PaceAndPresent() {
    plat::Clock& clock = plat::clock();
    if (!VsyncPacing || SpeedSetting == 1) {
        if (HiresTimer) {
            double wait = CountsPerFrame * (SpeedSetting + 1);
            double ticksPerMs = static_cast<double>(clock.Frequency()) / 1000.0;
            for (;;) {
                double elapsed = static_cast<double>(clock.Counter() - FrameStamp);
                if (elapsed >= wait) break;
                double remainingMs = (wait - elapsed) / ticksPerMs;
                if (remainingMs > kSleepMarginMs + 1.0) clock.Sleep(static_cast<uint32_t>(remainingMs - kSleepMarginMs));
            }
            FrameStamp = clock.Counter();
        } else {
            // The millisecond path ignores the speed setting.
            for (;;) {
                double remainingMs = CountsPerFrame - (clock.Milliseconds() - FrameStampMs);
                if (remainingMs <= 0) break;
                if (remainingMs > kSleepMarginMs + 1.0) clock.Sleep(static_cast<uint32_t>(remainingMs - kSleepMarginMs));
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
    if (FastForward == 0 || PresentCycle == 0) PaceAndPresent();
}

void ResetTiming() {
    HiresTimer = VsyncPacing = false;
    CountsPerFrame = 0;
    FrameStamp = 0;
    FrameStampMs = 0;
    PresentCycle = 0;
}
