#pragma once

#include "helpers/DateHelpers.h"
#include "platform/Clock.h"
#include "platform/SystemClock.h"

#include <string>

namespace testsupport {

// The stand-in library judges payment dates by the real clock, so a test that pins the front
// end's clock and writes through the real library pins it to the real day.
inline platform::LocalDateTime realDay(int hour, int minute) {
    platform::LocalDateTime now = platform::SystemClock().now();
    now.hour = hour;
    now.minute = minute;
    now.second = 0;
    return now;
}

// YYYY-MM-DD, as SEPA files write dates.
inline std::string isoDate(std::int32_t dayNumber) {
    const std::string digits = DateToYearFirst(dayNumber);
    return digits.substr(0, 4) + "-" + digits.substr(4, 2) + "-" + digits.substr(6, 2);
}

} // namespace testsupport
