#include "platform/headless.h"

namespace plat {

uint64_t FakeClock::Counter() {
    ++reads;
    now += stepPerRead;
    return now;
}

double FakeClock::Milliseconds() {
    ++reads;
    now += stepPerRead;
    uint64_t perSecond = frequency ? frequency : 1000000;
    return static_cast<double>(now) * 1000.0 / static_cast<double>(perSecond);
}

void FakeClock::Sleep(uint32_t microseconds) {
    sleptUs += microseconds;
    uint64_t perSecond = frequency ? frequency : 1000000;
    now += perSecond * microseconds / 1000000;
}

void FakeClock::Reset() { *this = FakeClock(); }

}  // namespace plat
