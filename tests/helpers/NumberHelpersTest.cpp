#include "helpers/NumberHelpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(DecimalTextToNumber, ReadsCommaAsDecimalPoint) {
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalTextToNumber("1234,56")), 1234.56);
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalTextToNumber("-7,5")), -7.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalTextToNumber("12.5")), 12.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalTextToNumber(",5")), 0.5);
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalTextToNumber("5,")), 5.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalTextToNumber("  42  ")), 42.0);
}

TEST(DecimalTextToNumber, LettersBecomeBlanksAndAreTrimmed) {
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalTextToNumber("EUR 10,00")), 10.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalTextToNumber("10,00 EUR")), 10.0);
    // A '+' is not a sign here: it turns into a blank.
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalTextToNumber("+3")), 3.0);
}

TEST(DecimalTextToNumber, MalformedNumbersGiveZero) {
    EXPECT_EQ(DecimalTextToNumber(""), 0);
    EXPECT_EQ(DecimalTextToNumber("abc"), 0);
    EXPECT_EQ(DecimalTextToNumber("12 34"), 0);
    EXPECT_EQ(DecimalTextToNumber("1.234,56"), 0);
    EXPECT_EQ(DecimalTextToNumber("1-2"), 0);
    EXPECT_EQ(DecimalTextToNumber("--1"), 0);
    EXPECT_EQ(DecimalTextToNumber("-"), 0);
    EXPECT_EQ(DecimalTextToNumber("."), 0);
    EXPECT_EQ(DecimalTextToNumber("1e5"), 0);
}

TEST(DecimalTextToNumber, ReadsOnlyTheFirst80Characters) {
    EXPECT_DOUBLE_EQ(static_cast<double>(DecimalTextToNumber(std::string(79, ' ') + "7" + "9")),
                     7.0);
}

TEST(FormatNumber, ExamplesOfTheRightAlignedGermanStyle) {
    EXPECT_EQ(FormatNumber(10, 0, false, -42), "       -42");
    EXPECT_EQ(FormatNumber(5, 0, true, 10000), "$$$$$");
    EXPECT_EQ(FormatNumber(12, 2, true, 0), "        0,00");
    EXPECT_EQ(FormatNumber(12, 2, true, 1234567.5), "1.234.567,50");
    EXPECT_EQ(FormatNumber(10, 0, true, -1234), "    -1.234");
    EXPECT_EQ(FormatNumber(12, 0, false, 123456), "      123456");
    EXPECT_EQ(FormatNumber(12, 0, false, 1234567890123.0), "$$$$$$$$$$$$");
    EXPECT_EQ(FormatNumber(12, 0, false, 123456789012.0), "123456789012");
}

TEST(FormatNumber, GroupsEveryThreeDigitsBeforeTheComma) {
    EXPECT_EQ(FormatNumber(6, 0, true, 999), "   999");
    EXPECT_EQ(FormatNumber(6, 0, true, 1000), " 1.000");
    EXPECT_EQ(FormatNumber(6, 0, true, -999), "  -999");
    EXPECT_EQ(FormatNumber(15, 0, true, -2147483648.0), " -2.147.483.648");
    EXPECT_EQ(FormatNumber(15, 3, true, -1234.5), "     -1.234,500");
    EXPECT_EQ(FormatNumber(30, 0, true, 1e20L), "   100.000.000.000.000.000.000");
    EXPECT_EQ(FormatNumber(8, 4, true, 0.1234), "  0,1234");
    // Without grouping only the comma changes.
    EXPECT_EQ(FormatNumber(11, 2, false, -1234567.5), "-1234567,50");
    EXPECT_EQ(FormatNumber(10, 2, false, -1234567.5), "$$$$$$$$$$");
}

TEST(FormatNumber, GroupingThatNoLongerFitsOverflows) {
    EXPECT_EQ(FormatNumber(6, 0, true, 123456), "$$$$$$");
    EXPECT_EQ(FormatNumber(7, 0, true, 123456), "123.456");
    EXPECT_EQ(FormatNumber(6, 0, true, -12345), "$$$$$$");
    EXPECT_EQ(FormatNumber(1, 0, false, 7), "7");
    EXPECT_EQ(FormatNumber(1, 0, false, -7), "$");
}

TEST(FormatNumber, RoundsToTheDecimals) {
    EXPECT_EQ(FormatNumber(8, 2, false, 0.129), "    0,13");
    EXPECT_EQ(FormatNumber(8, 0, false, 9.6), "      10");
    EXPECT_EQ(FormatNumber(8, 2, true, 999.999), "1.000,00");
    EXPECT_EQ(FormatNumber(8, 2, false, -0.126), "   -0,13");
}

TEST(FormatNumber, TinyAndNegativeZeroValuesShowNoSign) {
    EXPECT_EQ(FormatNumber(6, 2, false, 1e-12L), "  0,00");
    EXPECT_EQ(FormatNumber(6, 2, false, -1e-12L), "  0,00");
    EXPECT_EQ(FormatNumber(6, 2, false, -0.0L), "  0,00");
    EXPECT_EQ(FormatNumber(6, 2, false, -0.004L), "  0,00");
}

TEST(FormatNumber, WidthAndDecimalBounds) {
    EXPECT_EQ(FormatNumber(0, 2, false, 1), "");
    EXPECT_EQ(FormatNumber(-3, 2, false, 1), "");
    EXPECT_EQ(FormatNumber(4, -2, false, 12.4), "  12");
    // Widths beyond 30 keep the first 30 characters of their result.
    EXPECT_EQ(FormatNumber(40, 0, false, 5), std::string(30, ' '));
    EXPECT_EQ(FormatNumber(35, 0, false, 1234567890123456789.0L),
              std::string(16, ' ') + "12345678901234");
    EXPECT_EQ(FormatNumber(40, 0, false, 1e300L), std::string(30, '$'));
}

TEST(FormatNumber, NonFiniteValuesOverflow) {
    EXPECT_EQ(FormatNumber(5, 2, true, std::numeric_limits<long double>::infinity()), "$$$$$");
    EXPECT_EQ(FormatNumber(5, 2, true, -std::numeric_limits<long double>::infinity()), "$$$$$");
    EXPECT_EQ(FormatNumber(5, 2, true, std::numeric_limits<long double>::quiet_NaN()), "$$$$$");
    EXPECT_EQ(FormatNumber(50, 0, true, std::numeric_limits<long double>::max()),
              std::string(30, '$'));
}

TEST(FormatCents, IntegerTextFormAndCents) {
    EXPECT_EQ(FormatCents(true, 5), "0,05");
    EXPECT_EQ(FormatCents(false, 0), "0");
    EXPECT_EQ(FormatCents(true, 123456), "1.234,56");
    EXPECT_EQ(FormatCents(false, -1234567), "-1.234.567");
    EXPECT_EQ(FormatCents(true, -5), "-0,05");
    EXPECT_EQ(FormatCents(false, 263), "263");
    EXPECT_EQ(FormatCents(false, -2147483648LL), "-2.147.483.648");
    EXPECT_EQ(FormatCents(true, 99999999999LL), "999.999.999,99");
}

TEST(FormatCents, TooWideValuesGiveTheFiller) {
    EXPECT_EQ(FormatCents(false, std::numeric_limits<std::int64_t>::max()), std::string(15, '$'));
    EXPECT_EQ(FormatCents(false, std::numeric_limits<std::int64_t>::min()), std::string(15, '$'));
}

TEST(ContainsBits, EveryMaskBitMustBeSet) {
    EXPECT_TRUE(ContainsBits(7, 4));
    EXPECT_TRUE(ContainsBits(7, 5));
    EXPECT_FALSE(ContainsBits(7, 8));
    EXPECT_FALSE(ContainsBits(5, 6));
    EXPECT_TRUE(ContainsBits(0, 0));
    EXPECT_TRUE(ContainsBits(-1, std::numeric_limits<std::int64_t>::min()));
    EXPECT_FALSE(ContainsBits(std::numeric_limits<std::int64_t>::max(),
                              std::numeric_limits<std::int64_t>::min()));
}

TEST(FormatNumber, ManyDecimalsInAWideFieldStillShowTheirStart) {
    // 100 characters wide, 70 decimals: "1," and 70 zeros stand at the right end.
    EXPECT_EQ(FormatNumber(100, 70, false, 1), std::string(28, ' ') + "1,");
}
