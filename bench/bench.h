#pragma once
// The two halves of quivex-bench. Each returns the process exit code.

// Frame times of the whole frame (update and every batch built) on the headless backends.
int RunHeadlessBenches();
// The OpenGL renderer in a real window: fast-forward throughput and CPU use at 60 Hz.
// resolution: an index into the game's resolution list (1 = 800 x 600, its default).
int RunGlBench(int level, int resolution, long long fastFrames, long long pacedFrames);

// The machine's load averages, for the tables: other work on the machine skews every figure.
const char* LoadAverages();
