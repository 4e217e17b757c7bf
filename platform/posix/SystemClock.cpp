#include "platform/SystemClock.h"

#include <chrono>
#include <ctime>

#include <langinfo.h>

namespace platform {

LocalDateTime SystemClock::now() const {
    return localTime(std::time(nullptr));
}

std::uint32_t SystemClock::tickCount() const {
    const auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

char SystemClock::timeSeparator() const {
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
    return ':';
}

} // namespace platform
