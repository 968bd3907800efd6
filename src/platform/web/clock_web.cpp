#include <emscripten.h>

#include "platform/real.h"
#include "platform/web/web_backends.h"

namespace plat {
namespace {

uint64_t gameTime;

class WebClock : public Clock {
public:
    uint64_t Frequency() override { return 1000000; }
    // Every reading takes a microsecond, as it would on a real counter: a wait that polls it ends.
    uint64_t Counter() override { return gameTime++; }
    double Milliseconds() override { return static_cast<double>(gameTime) / 1000.0; }
    void Sleep(uint32_t microseconds) override { gameTime += microseconds; }
};

}  // namespace

uint64_t GameTime() { return gameTime; }
void SetGameTime(uint64_t micros) { gameTime = micros; }
uint64_t PageTime() { return static_cast<uint64_t>(emscripten_get_now() * 1000.0); }

Clock& RealClock() {
    static WebClock c;
    return c;
}

}  // namespace plat
