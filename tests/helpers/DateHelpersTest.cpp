#include "helpers/DateHelpers.h"

#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(DayNumbers, FixedPointsOfTheCalendar) {
    EXPECT_EQ(DayNumberFromDate(1600, 1, 1), 0);
    EXPECT_EQ(DayNumberFromDate(1880, 1, 1), kFirstLargeDayNumber);
    EXPECT_EQ(DayNumberFromDate(1900, 1, 1), kDay1900);
    EXPECT_EQ(DayNumberFromDate(2000, 1, 1), kDay2000);
    EXPECT_EQ(DayNumberFromDate(3999, 12, 31), kLastDayNumber);
    // 1900 is no leap year, 2000 is one.
    EXPECT_EQ(DayNumberFromDate(1900, 3, 1) - DayNumberFromDate(1900, 2, 28), 1);
    EXPECT_EQ(DayNumberFromDate(2000, 3, 1) - DayNumberFromDate(2000, 2, 28), 2);
}

TEST(DayNumbers, EveryValidDayRoundTrips) {
    CalendarDate previous = DateFromDayNumber(0);
    EXPECT_EQ(previous.year, 1600);
    for (std::int32_t n = 1; n <= kLastDayNumber; ++n) {
        const CalendarDate date = DateFromDayNumber(n);
        ASSERT_EQ(DayNumberFromDate(date.year, date.month, date.day), n);
        // Consecutive days: the day advances, or a new month (or year) starts on day 1.
        const bool nextDay = date.day == previous.day + 1 && date.month == previous.month;
        ASSERT_TRUE(nextDay || date.day == 1) << n;
        previous = date;
    }
    EXPECT_EQ(previous.year, 3999);
    EXPECT_EQ(previous.month, 12);
    EXPECT_EQ(previous.day, 31);
}

TEST(ShiftSmallDayNumber, CountsFrom1900WithTheLow16Bits) {
    EXPECT_EQ(ShiftSmallDayNumber(1), kDay1900 + 1);
    EXPECT_EQ(ShiftSmallDayNumber(65535), kDay1900 + 65535);
    EXPECT_EQ(ShiftSmallDayNumber(65536), kDay1900);
    EXPECT_EQ(ShiftSmallDayNumber(102267), kDay1900 + (102267 - 65536));
    EXPECT_EQ(ShiftSmallDayNumber(102268), 102268);
    EXPECT_EQ(ShiftSmallDayNumber(0), 0);
    EXPECT_EQ(ShiftSmallDayNumber(-5), -5);
    EXPECT_EQ(ShiftSmallDayNumber(876582), 876582);
}

TEST(IsValidDayNumber, EmptyDateAndOneTo876581) {
    EXPECT_TRUE(IsValidDayNumber(kEmptyDate));
    EXPECT_TRUE(IsValidDayNumber(1));
    EXPECT_TRUE(IsValidDayNumber(kLastDayNumber));
    EXPECT_FALSE(IsValidDayNumber(0));
    EXPECT_FALSE(IsValidDayNumber(-1));
    EXPECT_FALSE(IsValidDayNumber(-6));
    EXPECT_FALSE(IsValidDayNumber(kLastDayNumber + 1));
    EXPECT_FALSE(IsValidDayNumber(INT32_MIN));
}

TEST(DateToDigits, DayMonthYearWithLeadingZeros) {
    EXPECT_EQ(DateToDigits(kEmptyDate), "00000000");
    EXPECT_EQ(DateToDigits(kDay2000), "01012000");
    EXPECT_EQ(DateToDigits(kLastDayNumber), "31123999");
    EXPECT_EQ(DateToDigits(kFirstLargeDayNumber), "01011880");
    EXPECT_EQ(DateToDigits(DayNumberFromDate(2026, 12, 7)), "07122026");
    EXPECT_EQ(DateToDigits(DayNumberFromDate(2024, 2, 29)), "29022024");
}

TEST(DateToDigits, SmallNumbersCountFrom1900) {
    EXPECT_EQ(DateToDigits(1), "02011900");
    EXPECT_EQ(DateToDigits(65536), "01011900");
}

TEST(DateToDigits, NonDatesGiveEightBlanks) {
    EXPECT_EQ(DateToDigits(0), "        ");
    EXPECT_EQ(DateToDigits(-1), "        ");
    EXPECT_EQ(DateToDigits(-6), "        ");
    EXPECT_EQ(DateToDigits(kLastDayNumber + 1), "        ");
    EXPECT_EQ(DateToDigits(INT32_MAX), "        ");
    EXPECT_EQ(DateToDigits(INT32_MIN), "        ");
}

TEST(DateToText, PointedDateOrBlanks) {
    EXPECT_EQ(DateToText(kEmptyDate), "00.00.0000");
    EXPECT_EQ(DateToText(kLastDayNumber), "31.12.3999");
    EXPECT_EQ(DateToText(kDay2000), "01.01.2000");
    EXPECT_EQ(DateToText(1), "02.01.1900");
    EXPECT_EQ(DateToText(-6), "          ");
    EXPECT_EQ(DateToText(kLastDayNumber + 1), "          ");
    EXPECT_EQ(DateToText(-1), "          ");
    EXPECT_EQ(DateToText(0), "          ");
    EXPECT_EQ(DateToText(-4), "          ");
}

TEST(DateToYearFirst, RearrangesTheDigits) {
    EXPECT_EQ(DateToYearFirst(DayNumberFromDate(2026, 12, 7)), "20261207");
    EXPECT_EQ(DateToYearFirst(kEmptyDate), "00000000");
    EXPECT_EQ(DateToYearFirst(0), "        ");
}

TEST(DigitsToDateText, PointsBetweenDayMonthYear) {
    EXPECT_EQ(DigitsToDateText(""), "00.00.0000");
    EXPECT_EQ(DigitsToDateText("01022018"), "01.02.2018");
    EXPECT_EQ(DigitsToDateText("0102"), "01.02.0000");
    EXPECT_EQ(DigitsToDateText("1 2"), "10.20.0000");
    EXPECT_EQ(DigitsToDateText("0102201899"), "01.02.2018");
    EXPECT_EQ(DigitsToDateText("        "), "00.00.0000");
}

TEST(NormalizeDateText, ExamplesWithPointsAndTwoDigitYears) {
    EXPECT_EQ(NormalizeDateText("1.2.13"), "01022013");
    EXPECT_EQ(NormalizeDateText("31.12.2013"), "31122013");
    EXPECT_EQ(NormalizeDateText("1.2.99"), "01021999");
    EXPECT_EQ(NormalizeDateText("010213"), "01022013");
    EXPECT_EQ(NormalizeDateText("01.02.13"), "01022013");
    EXPECT_EQ(NormalizeDateText(""), "");
}

TEST(NormalizeDateText, CenturyTurnsBetween25And26) {
    EXPECT_EQ(NormalizeDateText("5.6.25"), "05062025");
    EXPECT_EQ(NormalizeDateText("5.6.26"), "05061926");
    EXPECT_EQ(NormalizeDateText("5.6.00"), "05062000");
    EXPECT_EQ(NormalizeDateText("5.6.2026"), "05062026");
    // Not a number: counts as 0.
    EXPECT_EQ(NormalizeDateText("5.6.x1"), "050620x1");
    // A negative year keeps only its low 8 bits (255): 19xx.
    EXPECT_EQ(NormalizeDateText("1.2.-1"), "010219-1");
}

TEST(NormalizeDateText, PartsAreTrimmedCutAndPadded) {
    EXPECT_EQ(NormalizeDateText(" 1 . 2 .13"), "01022013");
    EXPECT_EQ(NormalizeDateText("123.4.5"), "12045");
    EXPECT_EQ(NormalizeDateText("1.2."), "0102");
    // A leading point is no separator; points that remain are dropped.
    EXPECT_EQ(NormalizeDateText(".1.2"), "12");
    EXPECT_EQ(NormalizeDateText("1.2.3.4"), "01021934");
    EXPECT_EQ(NormalizeDateText("1.2.131313131313"), "01021313");
}

TEST(TimeToText, PictureWithTheClocksSeparator) {
    platform::FixedClock clock;
    const platform::ScopedClock scoped(clock);
    EXPECT_EQ(TimeToText(3661), "01:01.01");
    EXPECT_EQ(TimeToText(0), "00:00.00");
    EXPECT_EQ(TimeToText(86399), "23:59.59");
    EXPECT_EQ(TimeToText(86400), "");
    EXPECT_EQ(TimeToText(-1), "");
    clock.setTimeSeparator('.');
    EXPECT_EQ(TimeToText(3661), "01.01.01");
}

TEST(Today, DateAndTimeComeFromTheCurrentClock) {
    platform::LocalDateTime now;
    now.year = 2026;
    now.month = 12;
    now.day = 7;
    now.hour = 15;
    now.minute = 42;
    now.second = 6;
    const platform::FixedClock clock(now);
    const platform::ScopedClock scoped(clock);
    EXPECT_EQ(DateToText(Today()), "07.12.2026");
    EXPECT_EQ(TimeOfDay(), 15 * 3600 + 42 * 60 + 6);
    EXPECT_EQ(TimeToText(TimeOfDay()), "15:42.06");
    EXPECT_EQ(DateToDigits(Today() + 3), "10122026");
    EXPECT_EQ(DateToDigits(Today() - 30), "07112026");
}
