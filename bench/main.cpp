// quivex-bench: frame times on the headless backends, and the OpenGL renderer's speed under real pacing.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "bench.h"
#include "render/batches.h"
#include "shell/options.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: quivex-bench headless [--dir DIR]\n"
                 "       quivex-bench gl [--dir DIR] [--level L] [--resolution R] [--fast-frames N] [--paced-frames N]\n"
                 "DIR is where the settings file and error log go (created; its settings file is removed first,\n"
                 "so every run starts from the defaults). R picks the window size from the game's list:\n"
                 "0 640x480, 1 800x600 (the default), 2 1024x768, 3 1280x720, 4 1280x1024, 5 1600x1200;\n"
                 "native draws full screen at the display's own pixels (QUIVEX_SCREEN=WxH sizes the Xvfb display).\n");
    return 2;
}

bool ParseCount(const char* text, long long& out) {
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(text, &end, 10);
    return errno == 0 && end != text && *end == 0 && out > 0;
}

}  // namespace

const char* LoadAverages() {
    static char text[64];
    text[0] = 0;
    if (std::FILE* f = std::fopen("/proc/loadavg", "r")) {
        float a = 0, b = 0, c = 0;
        if (std::fscanf(f, "%f %f %f", &a, &b, &c) == 3) std::snprintf(text, sizeof text, "%.2f %.2f %.2f", a, b, c);
        std::fclose(f);
    }
    return text;
}

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const std::string mode = argv[1];
    std::string dir = "bench-run";
    long long level = 1, resolution = 1, fastFrames = 1000, pacedFrames = 600;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return Usage();
        const char* v = argv[++i];
        if (arg == "--dir") dir = v;
        else if (arg == "--level" && ParseCount(v, level) && level <= 4) {
        } else if (arg == "--resolution" && v[0] >= '0' && v[0] <= '5' && v[1] == 0) {
            resolution = v[0] - '0';
        } else if (arg == "--resolution" && std::strcmp(v, "native") == 0) {
            resolution = kResolutionNativeChoice;
        } else if (arg == "--fast-frames" && ParseCount(v, fastFrames)) {
        } else if (arg == "--paced-frames" && ParseCount(v, pacedFrames)) {
        } else return Usage();
    }
    if (mode != "headless" && mode != "gl") return Usage();

    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (chdir(dir.c_str()) != 0) {
        std::fprintf(stderr, "quivex-bench: cannot use folder %s\n", dir.c_str());
        return 1;
    }
    std::filesystem::remove("quivex.cfg", error);

    if (mode == "headless") return RunHeadlessBenches();
    Batches.ClassicDrawing = std::getenv("QUIVEX_CLASSIC_DRAWING") != nullptr;
    return RunGlBench(static_cast<int>(level), static_cast<int>(resolution), fastFrames, pacedFrames);
}
