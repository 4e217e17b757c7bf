#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Wall-clock instants as microseconds since 1970-01-01 UTC, shown in the local time zone.
class LocalTime {
public:
    // The current instant.
    static std::int64_t nowMicroseconds();
    // "HH:MM:SS.mmm" of the instant in the local time zone.
    static std::string timeOfDay(std::int64_t microsecondsSinceEpoch);
};

} // namespace platform
