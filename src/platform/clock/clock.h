#pragma once
#include <cstdint>

namespace plat {

// The high-resolution counter and the millisecond timer.
class Clock {
public:
    virtual ~Clock() = default;
    // Counter ticks per second; 0 when there is no high-resolution counter.
    virtual uint64_t Frequency() = 0;
    virtual uint64_t Counter() = 0;
    virtual double Milliseconds() = 0;
    // Gives the processor away for about this long (may return late by a fraction of a millisecond).
    virtual void Sleep(uint32_t microseconds) = 0;
};

}  // namespace plat
