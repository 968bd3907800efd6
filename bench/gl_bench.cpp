// The OpenGL bench: the real platform (window, OpenGL device, counter, mixer) with the autopilot flying
// on the headless keyboard.
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <string>

#include "alloc_count.h"
#include "autopilot.h"
#include "bench.h"
#include "frame_stats.h"
#include "game/game_flow.h"
#include "game/player_shots.h"
#include "game/ship.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "render/batches.h"
#include "render/device.h"
#include "world/world.h"
#include "app/main_loop.h"
#include "shell/random.h"
#include "shell/options.h"
#include "shell/settings.h"

namespace {

using Clock = std::chrono::steady_clock;

bool BotFrame() {
    AutopilotFrame(true);
    if (ShipAlive) W.Invulnerable = 1;
    int exitCode = 0;
    return FramePass(exitCode);
}

double CpuSeconds(int who = RUSAGE_SELF) {
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int RunGlBench(int level, int resolution, long long fastFrames, long long pacedFrames) {
    plat::headless().Reset();
    plat::UseRealPlatformWithScriptedInput();
    // The window size comes from the settings file, as for a player who chose it in the launcher.
    LoadSettings();
    if (resolution < kResolutionCount) W.Saved.ResolutionIndex = resolution;
    SaveSettings();
    SeedRandom(1);
    StartOptions start;
    start.runLauncher = false;
    // Native is measured full screen, on a display the size it is to draw at.
    const bool native = resolution == kResolutionNativeChoice;
    start.forceWindowed = !native;
    if (native) {
        start.commandLine.resolutionIndex = kResolutionNativeChoice;
        start.commandLine.windowed = 0;
    }
    int exitCode = 0;
    if (!StartProgram(start, exitCode) || !RunWarmUpFrames(exitCode)) {
        std::fprintf(stderr, "quivex-bench: start-up on the real platform failed\n");
        return 1;
    }
    if (const char* effects = std::getenv("QUIVEX_EFFECTS")) {
        if (EffectsFromName(effects) < 0) {
            std::fprintf(stderr, "quivex-bench: QUIVEX_EFFECTS must be auto, full or light\n");
            return 2;
        }
        Options.EffectsSetting = EffectsFromName(effects);
    }
    int w = 0, h = 0;
    plat::gfx().BackBufferSize(w, h);


    StartFromMenu(StartLevelPractice, level - 1);
    W.Host.FastForward = 1;
    // Past the level title, into the waves.
    for (int i = 0; i < 300; ++i)
        if (!BotFrame()) return 1;

    const double fastCpu0 = CpuSeconds();
    const auto fastStart = Clock::now();
    long long fast = 0;
    for (; fast < fastFrames && BotFrame(); ++fast) {
    }
    const double fastWall = std::chrono::duration<double>(Clock::now() - fastStart).count();
    const double fastCpu = CpuSeconds() - fastCpu0;

    W.Host.FastForward = 0;
    for (int i = 0; i < 30; ++i) BotFrame();  // settle into the 60 Hz rhythm
    const double cpu0 = CpuSeconds(), mainCpu0 = CpuSeconds(RUSAGE_THREAD);
    const uint64_t allocations0 = HeapAllocations();
    const auto pacedStart = Clock::now();
    long long paced = 0;
    for (; paced < pacedFrames && BotFrame(); ++paced) {
    }
    const double pacedWall = std::chrono::duration<double>(Clock::now() - pacedStart).count();
    const double cpu = CpuSeconds() - cpu0, mainCpu = CpuSeconds(RUSAGE_THREAD) - mainCpu0;
    const uint64_t allocations = HeapAllocations() - allocations0;

    std::printf("\nOpenGL, level %d, drawn %s: %d x %d %s, %s; load average %s\n", level,
                Batches.ClassicDrawing ? "as first written (every batch twice, each wave band alone)"
                : LightPicture() ? "in fewer passes, light picture" : "in fewer passes, full picture",
                w, h, native ? "native, full screen" : "window", plat::DescribeRealDevices().c_str(), LoadAverages());
    std::printf("%-44s %lld frames in %.2f s = %.0f frames/s (%.1fx real time), CPU %.1f ms a frame\n",
                "level play, fast-forward on", fast, fastWall, static_cast<double>(fast) / fastWall,
                static_cast<double>(fast) / 60.0 / fastWall, 1000.0 * fastCpu / static_cast<double>(fast));
    std::printf("%-44s %lld frames in %.2f s = %.1f frames/s, CPU %.2f s = %.0f%% of one core, %.1f ms a frame\n",
                "level play, paced at 60 Hz", paced, pacedWall, static_cast<double>(paced) / pacedWall, cpu,
                100.0 * cpu / pacedWall, 1000.0 * cpu / static_cast<double>(paced));
    std::printf("%-44s %.0f%% of one core, %.2f ms a frame (the rest: the GL driver's rasteriser threads)\n",
                "    main thread (game + GL calls)", 100.0 * mainCpu / pacedWall,
                1000.0 * mainCpu / static_cast<double>(paced));
    std::printf("%-44s %llu over the %lld paced frames\n", "    heap allocations (operator new)",
                static_cast<unsigned long long>(allocations), paced);
    std::printf("    (level %d practice from its start, 300 frames in before timing; autopilot destroyed %d enemies;\n"
                "     CPU = getrusage user+sys of this process, all its threads; the X server's own work is not in it)\n",
                level, W.EnemiesKilled);
    std::fflush(stdout);
    return 0;
}
