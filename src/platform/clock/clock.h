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
    // Gives the processor away for about ms milliseconds (may return early or late by a little).
    virtual void Sleep(uint32_t ms) = 0;
};

}  // namespace plat
