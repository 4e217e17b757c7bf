#pragma once

#include "platform/Clock.h"

namespace platform {

// Installs a clock as the current one for its lifetime and restores the system clock after.
class ScopedClock {
public:
    explicit ScopedClock(const Clock& clock) { Clock::setCurrent(clock); }
    ~ScopedClock() { Clock::resetCurrent(); }
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

} // namespace platform
