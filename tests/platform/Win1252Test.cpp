#include "platform/Win1252.h"

#include <gtest/gtest.h>

TEST(Win1252, EveryByteSurvivesTheRoundTripThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(win1252::fromUtf8(win1252::toUtf8(all)), all);
}

TEST(Win1252, SpecialRangeMapsToItsOwnCodePointsNotLatin1) {
    EXPECT_EQ(win1252::toUnicode(0x80), U'\u20AC');
    EXPECT_EQ(win1252::toUnicode(0x9F), U'\u0178');
    EXPECT_EQ(win1252::toUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(win1252::toUtf8("Pr\xFC"
                              "fziffer"),
              "Pr\xC3\xBC"
              "fziffer");
    EXPECT_EQ(win1252::fromUnicode(U'\u20AC'), 0x80);
    EXPECT_EQ(win1252::fromUnicode(U'\u0100'), -1);
    EXPECT_EQ(win1252::fromUtf8("\xE2\x82\xAC\xC4\x80", '#'), "\x80#");
}

TEST(Win1252, CaseTablesCoverAccentedLettersButNotSharpS) {
    EXPECT_EQ(win1252::toUpper("\xE4\xF6\xFC\xDF"
                               "abz\x9A\xFF"),
              "\xC4\xD6\xDC\xDF"
              "ABZ\x8A\x9F");
    EXPECT_EQ(win1252::toLower("\xC4\xD6\xDC"
                               "AZ\x8A\x9F\xD7"),
              "\xE4\xF6\xFC"
              "az\x9A\xFF\xD7");
    EXPECT_EQ(win1252::toUpper('\xF7'), '\xF7');
    EXPECT_EQ(win1252::toUpper('\xB5'), '\xB5');
}

TEST(Win1252, MalformedUtf8BecomesTheFallback) {
    EXPECT_EQ(win1252::fromUtf8("a\xC3", '?'), "a?");
    EXPECT_EQ(win1252::fromUtf8("\xFF"
                                "b",
                                '?'),
              "?b");
}
