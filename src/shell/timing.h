#pragma once
// Frame timing: the timer choice, the vsync test and the wait before each present.
#include <cstdint>

extern bool HiresTimer;
// Counter ticks per frame (a whole number) with the high-resolution counter, milliseconds without.
extern double CountsPerFrame;
extern bool VsyncPacing;
extern uint64_t FrameStamp;   // counter ticks when the last wait ended
extern double FrameStampMs;   // the same with the millisecond timer
extern int32_t PresentCycle;  // 0..30, for fast-forward
// The pacing in force: vertical blanks each present waits for (0 = none), frames the timer waits.
extern int32_t SwapInterval;
extern int32_t TimerFrames;

void CalibrateTiming(bool skipTest);
void PaceAndPresent();
// The last act of the render step: with FastForward on, only one frame in 31 is presented.
void FastForwardGate();
void ResetTiming();

// Called just before each present; the screenshot tool reads the finished frame here.
extern void (*BeforePresentHook)();
