#include "platform/LocalTime.h"

#include <array>
#include <chrono>
#include <cstdio>

namespace platform {

namespace {

constexpr std::int64_t kMicrosPerSecond = 1'000'000;
constexpr std::int64_t kMicrosPerMilli = 1'000;

} // namespace

std::int64_t LocalTime::nowMicroseconds() {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(since).count();
}

std::tm LocalTime::calendar(std::time_t time) {
    std::tm parts{};
#if defined(_WIN32)
    localtime_s(&parts, &time);
#else
    localtime_r(&time, &parts);
#endif
    return parts;
}

std::string LocalTime::timeOfDay(std::int64_t microsecondsSinceEpoch) {
    std::int64_t seconds = microsecondsSinceEpoch / kMicrosPerSecond;
    std::int64_t micros = microsecondsSinceEpoch % kMicrosPerSecond;
    if (micros < 0) {
        micros += kMicrosPerSecond;
        --seconds;
    }
    const std::tm parts = calendar(static_cast<std::time_t>(seconds));
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%02d:%02d:%02d.%03d", parts.tm_hour, parts.tm_min,
                  parts.tm_sec, static_cast<int>(micros / kMicrosPerMilli));
    return text.data();
}

} // namespace platform
