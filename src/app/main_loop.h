#pragma once
// Start-up, the warm-up frames, the frame loop and the per-frame update dispatch.
#include <cstdint>

#include "shell/command_line.h"

constexpr int kWarmUpFrames = 200;

struct StartOptions {
    bool runLauncher = true;  // the headless runner starts straight away with the loaded settings
    bool forceWindowed = false;  // a window whatever the settings say (screenshots); not saved
    CommandLine commandLine;     // written over the loaded settings, before the launcher shows them
};

// Start-up up to the warm-up frames. False when the program ends here, with its exit code.
bool StartProgram(const StartOptions& options, int& exitCode);
// False when the program ends during warm-up.
bool RunWarmUpFrames(int& exitCode);
// The next warm-up frame, or after the last of them the next frame pass: for a host that calls the
// program once a frame (the browser). False when the program ends, with its exit code.
bool NextPass(int& exitCode);
void WarmUpFrame();
// One pass of the frame loop, its frame drawn unless `shown` is false. False when the program ends,
// with its exit code.
bool FramePass(int& exitCode, bool shown = true);
// The whole program: start-up, warm-up, then frames until it quits.
int RunProgram(const StartOptions& options);

// Drains the window's queue; false when it held a quit (the graphics are then released).
bool DrainMessages(int& exitCode);
// One frame: the input step, the update, the presentation moved on, then, when `shown`, the picture.
// The update draws nothing and drawing changes nothing, so a frame not shown ends in the same state.
void StepFrame(bool shown);

struct LoopState {
    int64_t FrameCount;  // frames run by the frame loop since start-up (warm-up frames not counted)
    int32_t WarmUpFrameNumber;  // 1..200 during the warm-up frames, 0 afterwards
    int32_t warmUpFramesRun;
};
extern LoopState Loop;

void ResetMainLoop();
