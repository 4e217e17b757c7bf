#include "platform/SystemClock.h"

#include "platform/LocalTime.h"

#include <chrono>
#include <ctime>

#if !defined(_WIN32)
#include <langinfo.h>
#endif

namespace platform {

LocalDateTime SystemClock::now() const {
    const std::tm parts = LocalTime::calendar(std::time(nullptr));
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

std::uint32_t SystemClock::tickCount() const {
    const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

char SystemClock::timeSeparator() const {
#if !defined(_WIN32)
    // The time format of the current LC_TIME locale, e.g. "%H:%M:%S"; the separator is the
    // first character after the hour directive. Only a plain ASCII character is taken.
    const char* format = nl_langinfo(T_FMT);
    for (const char* p = format; p && p[0] != '\0' && p[1] != '\0'; ++p) {
        if (p[0] == '%' && (p[1] == 'H' || p[1] == 'I' || p[1] == 'k' || p[1] == 'l')) {
            const char separator = p[2];
            if (separator > ' ' && separator < 0x7F && separator != '%')
                return separator;
            break;
        }
    }
#endif
    return ':';
}

} // namespace platform
