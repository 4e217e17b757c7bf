#include "helpers/TextHelpers.h"

#include <gtest/gtest.h>

#include <limits>

TEST(TrimText, EmptyAndBlankTextsAreEmpty) {
    EXPECT_EQ(TrimText(""), "");
    EXPECT_EQ(TrimText("     "), "");
    EXPECT_EQ(TrimText(" \t\r\n "), "");
    EXPECT_EQ(TrimText(std::string(3, '\0')), "");
}

TEST(TrimText, RemovesSurroundingWhiteSpaceOnly) {
    EXPECT_EQ(TrimText(" a b "), "a b");
    EXPECT_EQ(TrimText("abc\t"), "abc");
    EXPECT_EQ(TrimText("  x\r\n\v\f"), "x");
    EXPECT_EQ(TrimText("a"), "a");
    EXPECT_EQ(TrimText(std::string("ab\0", 3)), "ab");
}

TEST(TrimText, LeadingControlCharacterEmptiesTheWholeText) {
    EXPECT_EQ(TrimText("\tabc"), "");
    EXPECT_EQ(TrimText("  \nabc"), "");
    EXPECT_EQ(TrimText("\x01"
                       "abc"),
              "");
    // Characters above 127 sort above the blank: they are text, not control characters.
    EXPECT_EQ(TrimText(" \xE4"
                       "b "),
              "\xE4"
              "b");
}

TEST(TrimText, TakesAtMost255Characters) {
    const std::string longText = std::string(300, 'x');
    EXPECT_EQ(TrimText(longText), std::string(255, 'x'));
    EXPECT_EQ(TrimText(std::string(255, ' ') + "tail"), "");
}

TEST(DeleteChars, RemovesEveryCharacterOfTheSetWhereverItStands) {
    EXPECT_EQ(DeleteChars("1.234.567,89", "."), "1234567,89");
    EXPECT_EQ(DeleteChars("a?b??c?", "?"), "abc");
    EXPECT_EQ(DeleteChars(" 0 1.", " ."), "01");
    EXPECT_EQ(DeleteChars("abc", ""), "abc");
    EXPECT_EQ(DeleteChars("", "abc"), "");
}

TEST(ReplaceChar, ReplacesEveryOccurrenceWithin255) {
    EXPECT_EQ(ReplaceChar("a:b:c", ':', '-'), "a-b-c");
    EXPECT_EQ(ReplaceChar("abc", 'x', 'y'), "abc");
    EXPECT_EQ(ReplaceChar(std::string(256, 'a'), 'a', 'b'), std::string(255, 'b'));
}

TEST(BlanksToZeros, ReplacesBlanksAndCutsAt80) {
    EXPECT_EQ(BlanksToZeros(" 1 2 "), "01020");
    EXPECT_EQ(BlanksToZeros(""), "");
    EXPECT_EQ(BlanksToZeros(std::string(90, ' ')), std::string(80, '0'));
}

TEST(CharString, CountIsBoundedTo0To255) {
    EXPECT_EQ(CharString(3, '-'), "---");
    EXPECT_EQ(CharString(0, '-'), "");
    EXPECT_EQ(CharString(-4, '-'), "");
    EXPECT_EQ(CharString(300, '-'), std::string(255, '-'));
    EXPECT_EQ(Spaces(4), "    ");
    EXPECT_EQ(Spaces(-1), "");
}

TEST(JustifyText, AlignsCutsAndCentres) {
    EXPECT_EQ(JustifyText("INFO:", 8, 'L'), "INFO:   ");
    EXPECT_EQ(JustifyText("INFO:", 8, 'x'), "INFO:   ");
    EXPECT_EQ(JustifyText("abc", 6, 'R'), "   abc");
    EXPECT_EQ(JustifyText("abc", 6, 'r'), "   abc");
    // Half of the free room on the left, halves dropped, the rest on the right.
    EXPECT_EQ(JustifyText("abc", 6, 'C'), " abc  ");
    EXPECT_EQ(JustifyText("abc", 8, 'z'), "  abc   ");
    EXPECT_EQ(JustifyText("UNBEKANNT:", 8, 'L'), "UNBEKANN");
    EXPECT_EQ(JustifyText("abcdef", 6, 'R'), "abcdef");
    EXPECT_EQ(JustifyText("abc", 0, 'L'), "");
    EXPECT_EQ(JustifyText("", 3, 'C'), "   ");
    EXPECT_EQ(JustifyText("a", 999, 'L').size(), 255u);
}

TEST(UpperCaseGerman, UmlautsAndOtherLettersBecomeCapitals) {
    EXPECT_EQ(UpperCaseGerman("\xE4\xF6\xFC"
                              "abc\xE9"),
              "\xC4\xD6\xDC"
              "ABC\xC9");
    // Sharp s has no capital; digits and signs stay.
    EXPECT_EQ(UpperCaseGerman("stra\xDF"
                              "e 1-2"),
              "STRA\xDF"
              "E 1-2");
    EXPECT_EQ(UpperCaseGerman(std::string(300, 'a')), std::string(255, 'A'));
}

TEST(TextToInt64, ReadsDecimalIntegersAndGivesZeroOtherwise) {
    EXPECT_EQ(TextToInt64("12345"), 12345);
    EXPECT_EQ(TextToInt64("-42"), -42);
    EXPECT_EQ(TextToInt64("+7"), 7);
    EXPECT_EQ(TextToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(TextToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(TextToInt64("9223372036854775808"), 0);
    EXPECT_EQ(TextToInt64("-9223372036854775809"), 0);
    EXPECT_EQ(TextToInt64(""), 0);
    EXPECT_EQ(TextToInt64("-"), 0);
    EXPECT_EQ(TextToInt64("12a"), 0);
    EXPECT_EQ(TextToInt64("1 2"), 0);
    EXPECT_EQ(TextToInt64("1.5"), 0);
}

TEST(TextToInt64, ReadsOnlyTheFirst80Characters) {
    // 80 zeros then a 5: only the zeros are read.
    EXPECT_EQ(TextToInt64(std::string(80, '0') + "5"), 0);
    EXPECT_EQ(TextToInt64(std::string(79, '0') + "5x"), 5);
}
