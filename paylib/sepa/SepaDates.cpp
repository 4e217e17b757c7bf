#include "paylib/sepa/SepaDates.h"

#include "helpers/DateHelpers.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace paylib {
namespace {

constexpr std::size_t kDateDigits = 8;
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2999;
constexpr int kMonths = 12;

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
    if (year < kFirstYear || year > kLastYear || month < 1 || month > kMonths || day < 1)
        return -1;
    // A day past the month's end comes back as a different date.
    const std::int32_t number = DayNumberFromDate(year, month, day);
    const CalendarDate back = DateFromDayNumber(number);
    return back.day == day && back.month == month && back.year == year ? number : -1;
}

std::string SepaDates::isoDate(std::int32_t dayNumber) {
    const CalendarDate date = DateFromDayNumber(dayNumber);
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d", date.year, date.month, date.day);
    return text.data();
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
