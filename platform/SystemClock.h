#pragma once

#include "platform/Clock.h"

namespace platform {

// Local time from the C++ library, ticks from the steady clock, separator from LC_TIME.
class SystemClock : public Clock {
public:
    LocalDateTime now() const override;
    std::uint32_t tickCount() const override;
    char timeSeparator() const override;
};

} // namespace platform
