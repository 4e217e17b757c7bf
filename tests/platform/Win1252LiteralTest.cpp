#include "platform/Win1252Literal.h"

#include <gtest/gtest.h>
#include <string>
#include <string_view>

using namespace win1252::literals;

// Each readable literal against the bytes it must become, written out independently.
TEST(Win1252Literal, GermanLettersBecomeTheirCodePageBytes) {
    struct Row {
        std::string_view encoded;
        std::string_view expected;
    };
    const Row rows[] = {
        {"Ä Ö Ü ä ö ü ß"_win1252, "\xC4 \xD6 \xDC \xE4 \xF6 \xFC \xDF"},
        {"Überweisungen.xml"_win1252, "\xDC"
                                      "berweisungen.xml"},
        {"€ – „“ ‚‘ …"_win1252, "\x80 \x96 \x84\x93 \x82\x91 \x85"},
        {"plain ASCII\r\n"_win1252, "plain ASCII\r\n"},
        {""_win1252, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.encoded, row.expected);
    }
}

TEST(Win1252Literal, AdjacentPiecesAreOneLiteralAndTheResultIsZeroTerminated) {
    const std::string text = "Der Name ist länger "
                             "als 255 Zeichen."_win1252;
    EXPECT_EQ(text, "Der Name ist l\xE4nger als 255 Zeichen.");
    // Usable wherever a C string is: concatenation with std::string keeps every byte.
    EXPECT_EQ("Größe="_win1252 + std::string("7"), "Gr\xF6\xDF"
                                                   "e=7");
}

TEST(Win1252Literal, SingleCharactersAndTheRuntimeConversionAgree) {
    EXPECT_EQ(win1252::character(U'Ä'), '\xC4');
    EXPECT_EQ(win1252::character(U'ÿ'), '\xFF');
    EXPECT_EQ(win1252::character(U'€'), '\x80');
    // The compile-time literal and the run-time conversion share one table.
    EXPECT_EQ(std::string("Prüfziffer Gläubiger Œuvre"_win1252),
              win1252::fromUtf8("Prüfziffer Gläubiger Œuvre"));
}
