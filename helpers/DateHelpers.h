#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Dates inside the program are day numbers: day 0 is 1 January 1600 (Gregorian calendar).
// Amounts of days from 1 January 1900 (1..102267) are accepted too, see ShiftSmallDayNumber.

inline constexpr std::int32_t kEmptyDate = -5;               // written as zeros
inline constexpr std::int32_t kLastDayNumber = 876581;       // 31 December 3999
inline constexpr std::int32_t kDay1900 = 109573;             // 1 January 1900
inline constexpr std::int32_t kDay2000 = 146097;             // 1 January 2000
inline constexpr std::int32_t kFirstLargeDayNumber = 102268; // 1 January 1880
inline constexpr std::int32_t kSecondsPerDay = 86400;

struct CalendarDate {
    int year = 1600;
    int month = 1;
    int day = 1;
};

// Day number of a Gregorian date; the date is not checked.
std::int32_t DayNumberFromDate(int year, int month, int day);
CalendarDate DateFromDayNumber(std::int32_t dayNumber);

// 1..102267 count from 1 January 1900 (only their low 16 bits), everything else stays.
std::int32_t ShiftSmallDayNumber(std::int32_t dayNumber);

// The empty date -5, or 1..876581.
bool IsValidDayNumber(std::int32_t dayNumber);

// DDMMYYYY; "00000000" for the empty date, eight blanks for anything not a date.
std::string DateToDigits(std::int32_t dayNumber);
// DD.MM.YYYY; "00.00.0000" for the empty date, ten blanks for anything not a date.
std::string DateToText(std::int32_t dayNumber);
// YYYYMMDD from DateToDigits.
std::string DateToYearFirst(std::int32_t dayNumber);

// DD.MM.YYYY from the first eight characters of DDMMYYYY, blanks and missing ones as '0'.
std::string DigitsToDateText(std::string_view digits);

// A typed date such as "1.2.13" as up to eight digits DDMMYYYY ("01022013"); a two-digit
// year up to 25 lies in 20xx, from 26 in 19xx. The result is not checked for a real date.
std::string NormalizeDateText(std::string_view text);

// "hh:mm.ss" with the clock's time separator in place of ':'; empty outside 0..86399.
std::string TimeToText(std::int32_t secondsSinceMidnight);

// Today's local date as day number and the seconds since local midnight, from the current clock.
std::int32_t Today();
std::int32_t TimeOfDay();
