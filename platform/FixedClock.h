#pragma once

#include "platform/Clock.h"

namespace platform {

// A clock that tells what it was set to: for tests and reproducible runs.
class FixedClock : public Clock {
public:
    FixedClock() = default;
    FixedClock(const LocalDateTime& now, std::uint32_t ticks = 0, char separator = ':');

    LocalDateTime now() const override { return m_now; }
    std::uint32_t tickCount() const override { return m_ticks; }
    char timeSeparator() const override { return m_separator; }

    void setNow(const LocalDateTime& now) { m_now = now; }
    void setTickCount(std::uint32_t ticks) { m_ticks = ticks; }
    void setTimeSeparator(char separator) { m_separator = separator; }

private:
    LocalDateTime m_now;
    std::uint32_t m_ticks = 0;
    char m_separator = ':';
};

} // namespace platform
