#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace platform {

// Wall-clock instants as microseconds since 1970-01-01 UTC, shown in the local time zone.
class LocalTime {
public:
    // The current instant.
    static std::int64_t nowMicroseconds();
    // The calendar parts of a time in the local time zone.
    static std::tm calendar(std::time_t time);
    // "HH:MM:SS.mmm" of the instant in the local time zone.
    static std::string timeOfDay(std::int64_t microsecondsSinceEpoch);
};

} // namespace platform
