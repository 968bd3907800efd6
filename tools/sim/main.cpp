// quivex-sim: the whole program on the headless backends, driven by an input script.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/level_state.h"
#include "key_script.h"
#include "platform/headless.h"
#include "shell/game_vars.h"
#include "shell/main_loop.h"
#include "shell/random.h"
#include "shell/state_hash.h"

namespace {

struct Options {
    long long frames = 0;
    std::string dir;
    std::string keys;
    uint32_t seed = 1;
};

int Usage(const char* problem) {
    std::fprintf(stderr, "quivex-sim: %s\n", problem);
    std::fprintf(stderr, "usage: quivex-sim --frames N [--dir DIR] [--keys FILE] [--seed S]\n");
    return 2;
}

bool ParseNumber(const char* text, long long& out) {
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(text, &end, 10);
    return errno == 0 && end != text && *end == 0 && out >= 0;
}

bool MakeDirs(const std::string& path) {
    std::string partial;
    std::stringstream ss(path);
    std::string part;
    if (!path.empty() && path[0] == '/') partial = "/";
    while (std::getline(ss, part, '/')) {
        if (part.empty()) continue;
        partial += part + "/";
        if (mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
    return true;
}

void PrintSummary(long long frames) {
    std::printf("frames: %lld\n", frames);
    std::printf("mode: %d\n", GameMode);
    std::printf("level: %d\n", CurrentLevel);
    std::printf("clock: %d\n", LevelClock);
    std::printf("lives: %d\n", Lives);
    std::printf("held: %d\n", Held);
    std::printf("peak: %d\n", PeakHeld);
    std::printf("weapon: %d\n", WeaponLevel);
    std::printf("enemies: %d\n", 0);
    std::printf("bullets: %d\n", 0);
    std::printf("hash: %016" PRIx64 "\n", HashGameState());
}

}  // namespace

int main(int argc, char** argv) {
    Options opt;
    bool haveFrames = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) return nullptr;
            (void)name;
            return argv[++i];
        };
        long long n;
        if (arg == "--frames") {
            const char* v = value("--frames");
            if (!v || !ParseNumber(v, n)) return Usage("--frames needs a number of frames");
            opt.frames = n;
            haveFrames = true;
        } else if (arg == "--dir") {
            const char* v = value("--dir");
            if (!v) return Usage("--dir needs a folder");
            opt.dir = v;
        } else if (arg == "--keys") {
            const char* v = value("--keys");
            if (!v) return Usage("--keys needs a file");
            opt.keys = v;
        } else if (arg == "--seed") {
            const char* v = value("--seed");
            if (!v || !ParseNumber(v, n)) return Usage("--seed needs a number");
            opt.seed = static_cast<uint32_t>(n);
        } else {
            return Usage(("unknown argument " + arg).c_str());
        }
    }
    if (!haveFrames) return Usage("--frames is required");

    std::vector<KeyEvent> events;
    if (!opt.keys.empty()) {
        std::ifstream in(opt.keys);
        if (!in) return Usage(("cannot read " + opt.keys).c_str());
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        if (!ParseKeyScript(text.str(), events, error)) return Usage((opt.keys + " " + error).c_str());
    }
    if (!opt.dir.empty()) {
        if (!MakeDirs(opt.dir) || chdir(opt.dir.c_str()) != 0)
            return Usage(("cannot use folder " + opt.dir).c_str());
    }

    plat::UseHeadlessPlatform();
    plat::headless().Reset();
    SeedRandom(opt.seed);

    int exitCode = 0;
    StartOptions start;
    start.runLauncher = false;
    if (!StartProgram(start, exitCode)) return exitCode;
    if (!RunWarmUpFrames(exitCode)) return exitCode;

    plat::HeadlessInput& input = plat::headless().input;
    size_t next = 0;
    long long frame = 0;
    for (; frame < opt.frames; ++frame) {
        for (; next < events.size() && events[next].frame <= frame; ++next) {
            if (events[next].press) input.Press(events[next].code);
            else input.Release(events[next].code);
        }
        if (!FramePass(exitCode)) break;
    }
    PrintSummary(frame);
    return 0;
}
