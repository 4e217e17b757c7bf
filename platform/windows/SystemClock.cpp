#include "platform/SystemClock.h"

#include <windows.h>

namespace platform {

namespace {

// LOCALE_STIME allows up to four characters; only a single plain ASCII one is taken.
constexpr int kSeparatorBufferSize = 5;

} // namespace

LocalDateTime SystemClock::now() const {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    LocalDateTime result;
    result.year = local.wYear;
    result.month = local.wMonth;
    result.day = local.wDay;
    result.hour = local.wHour;
    result.minute = local.wMinute;
    result.second = local.wSecond;
    return result;
}

std::uint32_t SystemClock::tickCount() const {
    return GetTickCount();
}

char SystemClock::timeSeparator() const {
    char separator[kSeparatorBufferSize] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, sizeof separator) == 2 &&
        separator[0] > ' ' && separator[0] < 0x7F)
        return separator[0];
    return ':';
}

} // namespace platform
