#include <SDL.h>

#include <chrono>
#include <thread>

#include "platform/real.h"

namespace plat {
namespace {

class SdlClock : public Clock {
public:
    uint64_t Frequency() override { return SDL_GetPerformanceFrequency(); }
    uint64_t Counter() override { return SDL_GetPerformanceCounter(); }
    double Milliseconds() override {
        return static_cast<double>(SDL_GetPerformanceCounter()) * 1000.0 /
               static_cast<double>(SDL_GetPerformanceFrequency());
    }
    // Finer than SDL_Delay's milliseconds, so a frame's wait needs only a short spin at its end.
    void Sleep(uint32_t microseconds) override { std::this_thread::sleep_for(std::chrono::microseconds(microseconds)); }
};

}  // namespace

Clock& RealClock() {
    static SdlClock c;
    return c;
}

}  // namespace plat
