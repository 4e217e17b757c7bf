#include "paylib/sepa/SepaDates.h"

#include "helpers/DateHelpers.h"

#include <algorithm>
#include <array>

namespace paylib {
namespace {

constexpr std::size_t kDateDigits = 8;
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2999;
constexpr int kMonths = 12;

int daysInMonth(int year, int month) {
    static constexpr std::array<int, kMonths> kDays = {31, 28, 31, 30, 31, 30,
                                                       31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

int digitsValue(std::string_view digits) {
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

} // namespace

std::int32_t SepaDates::dayNumber(std::string_view digits) {
    if (digits.size() != kDateDigits ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return -1;
    const int day = digitsValue(digits.substr(0, 2));
    const int month = digitsValue(digits.substr(2, 2));
    const int year = digitsValue(digits.substr(4, 4));
    if (year < kFirstYear || year > kLastYear || month < 1 || month > kMonths || day < 1 ||
        day > daysInMonth(year, month))
        return -1;
    return DayNumberFromDate(year, month, day);
}

std::string SepaDates::isoDate(std::int32_t dayNumber) {
    const CalendarDate date = DateFromDayNumber(dayNumber);
    std::string text = "0000-00-00";
    const auto put = [&text](std::size_t end, int value) {
        for (std::size_t at = end; value > 0; value /= 10)
            text[--at] = static_cast<char>('0' + value % 10);
    };
    put(4, date.year);
    put(7, date.month);
    put(10, date.day);
    return text;
}

std::int32_t SepaDates::codeOf(Verdict verdict, const Codes& codes) {
    switch (verdict) {
    case Verdict::InThePast:
        return codes.inThePast;
    case Verdict::CollectionTooEarly:
        return codes.collectionTooEarly;
    case Verdict::MandateAfterCollection:
        return codes.mandateAfterCollection;
    case Verdict::Ok:
        break;
    }
    return 0;
}

SepaDates::Verdict SepaDates::checkExecution(std::int32_t date, std::int32_t today) {
    return date < today ? Verdict::InThePast : Verdict::Ok;
}

SepaDates::Verdict SepaDates::checkCollection(std::int32_t date, std::int32_t mandateSigned,
                                              std::int32_t today) {
    if (date < today)
        return Verdict::InThePast;
    if (date == today)
        return Verdict::CollectionTooEarly;
    if (mandateSigned > date)
        return Verdict::MandateAfterCollection;
    return Verdict::Ok;
}

} // namespace paylib
