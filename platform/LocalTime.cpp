#include "platform/LocalTime.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace platform {

namespace {

constexpr std::int64_t kMicrosPerSecond = 1'000'000;
constexpr std::int64_t kMicrosPerMilli = 1'000;

} // namespace

std::int64_t LocalTime::nowMicroseconds() {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(since).count();
}

std::string LocalTime::timeOfDay(std::int64_t microsecondsSinceEpoch) {
    std::int64_t seconds = microsecondsSinceEpoch / kMicrosPerSecond;
    std::int64_t micros = microsecondsSinceEpoch % kMicrosPerSecond;
    if (micros < 0) {
        micros += kMicrosPerSecond;
        --seconds;
    }
    const auto t = static_cast<std::time_t>(seconds);
    std::tm parts{};
#if defined(_WIN32)
    localtime_s(&parts, &t);
#else
    localtime_r(&t, &parts);
#endif
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%02d:%02d:%02d.%03d", parts.tm_hour, parts.tm_min,
                  parts.tm_sec, static_cast<int>(micros / kMicrosPerMilli));
    return text.data();
}

} // namespace platform
