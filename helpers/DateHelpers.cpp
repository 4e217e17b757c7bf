#include "helpers/DateHelpers.h"

#include "helpers/TextHelpers.h"
#include "platform/Clock.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::int32_t kSmallDayMask = 0xFFFF;
constexpr int kFirstYear = 1600;
constexpr int kLastYear = 3999;
constexpr std::size_t kDigitsLength = 8;
constexpr std::size_t kNormalizeInputMax = 10;
constexpr std::size_t kShortYearLength = 6;
constexpr int kLastYearOf2000s = 25; // two-digit years up to here lie in 20xx
constexpr int kSecondsPerHour = 3600;
constexpr int kSecondsPerMinute = 60;

// Days from 1 January 1970 (proleptic Gregorian), after H. Hinnant's civil calendar algorithms.
constexpr std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CalendarDate civilFromDays(std::int64_t z) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    CalendarDate date;
    date.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.year =
        static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

constexpr std::int64_t kDaysBeforeDay0 = daysFromCivil(kFirstYear, 1, 1);

std::string twoDigits(int value) {
    const int v = value % 100;
    return {static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
}

// Pascal-style reading of a short number: optional sign and digits, 0 otherwise.
int shortNumber(std::string_view text) {
    std::size_t pos = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (pos == text.size())
        return 0;
    int value = 0;
    for (std::size_t i = pos; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9')
            return 0;
        value = value * 10 + (text[i] - '0');
    }
    return text[0] == '-' ? -value : value;
}

void appendBounded(std::string& target, std::string_view text, std::size_t bound) {
    if (target.size() < bound)
        target.append(text.substr(0, bound - target.size()));
}

} // namespace

std::int32_t DayNumberFromDate(int year, int month, int day) {
    return static_cast<std::int32_t>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
        kDaysBeforeDay0);
}

CalendarDate DateFromDayNumber(std::int32_t dayNumber) {
    return civilFromDays(static_cast<std::int64_t>(dayNumber) + kDaysBeforeDay0);
}

std::int32_t ShiftSmallDayNumber(std::int32_t dayNumber) {
    if (dayNumber >= 1 && dayNumber < kFirstLargeDayNumber)
        return kDay1900 + (dayNumber & kSmallDayMask);
    return dayNumber;
}

bool IsValidDayNumber(std::int32_t dayNumber) {
    return dayNumber == kEmptyDate || (dayNumber >= 1 && dayNumber <= kLastDayNumber);
}

std::string DateToDigits(std::int32_t dayNumber) {
    if (dayNumber == kEmptyDate)
        return std::string(kDigitsLength, '0');
    const std::int32_t shifted = ShiftSmallDayNumber(dayNumber);
    if (!IsValidDayNumber(shifted) || shifted == kEmptyDate)
        return std::string(kDigitsLength, ' ');
    const CalendarDate date = DateFromDayNumber(shifted);
    if (date.year < kFirstYear || date.year > kLastYear)
        return std::string(kDigitsLength, ' ');
    char buffer[kDigitsLength + 1];
    std::snprintf(buffer, sizeof buffer, "%02d%02d%04d", date.day, date.month, date.year);
    return buffer;
}

std::string DateToText(std::int32_t dayNumber) {
    constexpr std::size_t kTextLength = 10;
    if (dayNumber == kEmptyDate)
        return DigitsToDateText("");
    if (dayNumber < kEmptyDate || dayNumber > kLastDayNumber)
        return std::string(kTextLength, ' ');
    if (ShiftSmallDayNumber(dayNumber) < kFirstLargeDayNumber)
        return std::string(kTextLength, ' ');
    return DigitsToDateText(DateToDigits(dayNumber));
}

std::string DateToYearFirst(std::int32_t dayNumber) {
    const std::string digits = DateToDigits(dayNumber);
    return digits.substr(4, 4) + digits.substr(2, 2) + digits.substr(0, 2);
}

std::string DigitsToDateText(std::string_view digits) {
    std::string d(digits.substr(0, std::min(digits.size(), kDigitsLength)));
    d.resize(kDigitsLength, ' ');
    std::replace(d.begin(), d.end(), ' ', '0');
    return d.substr(0, 2) + '.' + d.substr(2, 2) + '.' + d.substr(4, 4);
}

std::string NormalizeDateText(std::string_view text) {
    std::string rest(text.substr(0, std::min(text.size(), kNormalizeInputMax)));
    std::string result;
    for (int part = 0; part < 2; ++part) {
        const auto point = rest.find('.');
        if (point == std::string::npos || point == 0)
            continue;
        std::string field = TrimText(std::string_view(rest).substr(0, point));
        field.resize(std::min<std::size_t>(field.size(), 2));
        appendBounded(result, std::string(2 - field.size(), ' ') + field, kNormalizeInputMax);
        rest.erase(0, point + 1);
    }
    appendBounded(result, rest, kNormalizeInputMax);

    std::replace(result.begin(), result.end(), ' ', '0');
    result = DeleteChars(result, " .");
    result.resize(std::min(result.size(), kDigitsLength));
    result = TrimText(result);

    if (result.size() == kShortYearLength) {
        const int year = shortNumber(std::string_view(result).substr(4, 2)) & 0xFF;
        result.insert(4, year <= kLastYearOf2000s ? "20" : "19");
    }
    result.resize(std::min(result.size(), kDigitsLength));
    return result;
}

std::string TimeToText(std::int32_t secondsSinceMidnight) {
    if (secondsSinceMidnight < 0 || secondsSinceMidnight >= kSecondsPerDay)
        return {};
    const int hours = secondsSinceMidnight / kSecondsPerHour;
    const int minutes = secondsSinceMidnight % kSecondsPerHour / kSecondsPerMinute;
    const int seconds = secondsSinceMidnight % kSecondsPerMinute;
    return twoDigits(hours) + platform::Clock::current().timeSeparator() + twoDigits(minutes) +
           '.' + twoDigits(seconds);
}

std::int32_t Today() {
    const platform::LocalDateTime now = platform::Clock::current().now();
    return DayNumberFromDate(now.year, now.month, now.day);
}

std::int32_t TimeOfDay() {
    const platform::LocalDateTime now = platform::Clock::current().now();
    return now.hour * kSecondsPerHour + now.minute * kSecondsPerMinute + now.second;
}
