#include "platform/FixedClock.h"

namespace platform {

FixedClock::FixedClock(const LocalDateTime& now, std::uint32_t ticks, char separator)
    : m_now(now), m_ticks(ticks), m_separator(separator) {}

} // namespace platform
