#include <SDL.h>

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
    void Sleep(uint32_t ms) override { SDL_Delay(ms); }
};

}  // namespace

Clock& RealClock() {
    static SdlClock c;
    return c;
}

}  // namespace plat
