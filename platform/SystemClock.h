#pragma once

#include "platform/Clock.h"

#include <ctime>

namespace platform {

// Local time, ticks and time separator as the system tells them.
class SystemClock : public Clock {
public:
    LocalDateTime now() const override;
    std::uint32_t tickCount() const override;
    char timeSeparator() const override;

    // The local calendar date and time of a moment; a leap second shows as second 59.
    static LocalDateTime localTime(std::time_t moment);
};

} // namespace platform
