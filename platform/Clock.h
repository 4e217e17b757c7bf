#pragma once

#include <cstdint>

namespace platform {

// Local calendar date and wall-clock time, as the user's calendar shows them.
struct LocalDateTime {
    int year = 1600;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The source of "now" for everything in the core. The process-wide current clock is the
// system clock unless a test (or a reproducible run) installs another one.
class Clock {
public:
    virtual ~Clock() = default;

    virtual LocalDateTime now() const = 0;
    // Milliseconds from a monotonic source, wrapping at 2^32 like the Windows tick counter.
    virtual std::uint32_t tickCount() const = 0;
    // The locale's separator between hours and minutes; ':' when it cannot be told.
    virtual char timeSeparator() const = 0;

    static const Clock& current();
    // The clock must outlive its use as current clock; resetCurrent() restores the system clock.
    static void setCurrent(const Clock& clock);
    static void resetCurrent();
};

} // namespace platform
