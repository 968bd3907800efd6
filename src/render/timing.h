#pragma once
// Frame timing: the timer choice, the vsync test and the wait before each present.
#include <cstdint>

#include "world/world.h"

struct TimingState {
    bool HiresTimer;
    // Counter ticks per frame (a whole number) with the high-resolution counter, milliseconds without.
    double CountsPerFrame;
    bool VsyncPacing;
    uint64_t FrameStamp;   // counter ticks when the last wait ended
    double FrameStampMs;   // the same with the millisecond timer
    int32_t PresentCycle;  // 0..30, for fast-forward
    // The pacing in force: vertical blanks each present waits for (0 = none), frames the timer waits.
    int32_t SwapInterval;
    int32_t TimerFrames;
    int pacedFor = -1;  // the (vsync, speed) the pacing was last chosen for
    // Called just before each present; the screenshot tool reads the finished frame here.
    void (*BeforePresentHook)();
};
extern TimingState Timing;

void CalibrateTiming(bool skipTest);
void PaceAndPresent();
// The last act of the render step: with FastForward on, only one frame in 31 is presented.
void FastForwardGate(const World& w);
void ResetTiming();
