#include "platform/SystemClock.h"

#include "platform/LocalTime.h"

namespace platform {

LocalDateTime SystemClock::localTime(std::time_t moment) {
    const std::tm parts = LocalTime::calendar(moment);
    LocalDateTime result;
    result.year = parts.tm_year + 1900;
    result.month = parts.tm_mon + 1;
    result.day = parts.tm_mday;
    result.hour = parts.tm_hour;
    result.minute = parts.tm_min;
    // A leap second shows as 59, so that the time of day stays below 86400.
    result.second = parts.tm_sec > 59 ? 59 : parts.tm_sec;
    return result;
}

} // namespace platform
