#include "controls/CharClassTable.h"

#include "helpers/SepaCharSet.h"
#include "tests/controls/ControlsTestState.h"

#include <gtest/gtest.h>

namespace {

TEST(CharClassTable, NewTableAdmitsEveryCodeButZeroInEverySlotWithoutCaseRule) {
    const CharClassTable table;
    for (char slot = '1'; slot <= '8'; ++slot) {
        SCOPED_TRACE(slot);
        const CharSet set = table.charSet(slot);
        EXPECT_EQ(set.count(), 255u);
        EXPECT_FALSE(set.contains('\0'));
        EXPECT_TRUE(set.contains('\x01'));
        EXPECT_TRUE(set.contains('\xFF'));
        EXPECT_EQ(table.caseRule(slot), CaseRule::None);
    }
}

TEST(CharClassTable, SubstitutionCharactersRunFrom241To248) {
    const CharClassTable table;
    EXPECT_EQ(table.substitutionChar('1'), 241);
    EXPECT_EQ(table.substitutionChar('5'), 245);
    EXPECT_EQ(table.substitutionChar('8'), 248);
    EXPECT_EQ(table.substitutionChar('9'), 0);
}

TEST(CharClassTable, StoringASetAlwaysDropsCodeZero) {
    CharClassTable table;
    table.setCharSet('3', CharSet::of(std::string_view("\0.", 2)));
    EXPECT_FALSE(table.charSet('3').contains('\0'));
    EXPECT_TRUE(table.charSet('3').contains('.'));
    EXPECT_EQ(table.charSet('3').count(), 1u);
    // The other slots keep their default.
    EXPECT_EQ(table.charSet('4').count(), 255u);
}

TEST(CharClassTable, CharactersOutsideOneToEightAreNoSlots) {
    CharClassTable table;
    table.setCharSet('0', CharSet::of("a"));
    table.setCharSet('9', CharSet::of("a"));
    table.setCaseRule('9', CaseRule::Upper);
    table.setCaseRule('X', CaseRule::Lower);
    EXPECT_EQ(table.caseRule('9'), CaseRule::None);
    EXPECT_EQ(table.caseRule('X'), CaseRule::None);
    EXPECT_EQ(table.charSet('9').count(), 0u);
    for (char slot = '1'; slot <= '8'; ++slot)
        EXPECT_EQ(table.charSet(slot).count(), 255u);

    table.setCaseRule('8', CaseRule::Mixed);
    EXPECT_EQ(table.caseRule('8'), CaseRule::Mixed);
}

TEST(CaseRule, MixedUpperCasesOnlyAfterBlankOrHyphen) {
    EXPECT_EQ(ApplyCaseRule(CaseRule::Mixed, 'a', ' '), 'A');
    EXPECT_EQ(ApplyCaseRule(CaseRule::Mixed, '\xE4', '-'), '\xC4');
    EXPECT_EQ(ApplyCaseRule(CaseRule::Mixed, 'a', 'x'), 'a');
    EXPECT_EQ(ApplyCaseRule(CaseRule::Mixed, 'a', '\xFF'), 'a');
    EXPECT_EQ(ApplyCaseRule(CaseRule::Upper, '\xFC', 'x'), '\xDC');
    EXPECT_EQ(ApplyCaseRule(CaseRule::Upper, '\xDF', 'x'), '\xDF');
    EXPECT_EQ(ApplyCaseRule(CaseRule::Lower, 'Q', 'x'), 'q');
    EXPECT_EQ(ApplyCaseRule(CaseRule::None, 'q', ' '), 'q');
}

std::string members(const CharSet& set) {
    std::string out;
    for (int c = 0; c < 256; ++c)
        if (set.contains(static_cast<unsigned char>(c)))
            out += static_cast<char>(c);
    return out;
}

const std::string kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

TEST(SepaCharSet, ModesHoldExactlyTheirCharacters) {
    ControlsTestState pinned;
    EXPECT_EQ(members(SepaCharSetFor(0)), " ()+,-./0123456789:?" + kLetters);
    EXPECT_EQ(members(SepaCharSetFor(1)),
              " ()+,-./0123456789:?" + kLetters + "\xC4\xD6\xDC\xDF\xE4\xF6\xFC");
    EXPECT_EQ(members(SepaCharSetFor(2)), " #()*+,-./0123456789:?@" + kLetters);
    EXPECT_EQ(SepaCharSetFor(3), SepaCharSetFor(0));
    EXPECT_EQ(SepaCharSetFor(255), SepaCharSetFor(0));
}

TEST(SepaCharSet, BasicModeExcludesPunctuationAndEverythingAbove127) {
    const CharSet basic = SepaCharSetFor(0);
    for (char c : std::string("'&*@#_"))
        EXPECT_FALSE(basic.contains(c)) << c;
    for (int c = 128; c < 256; ++c)
        EXPECT_FALSE(basic.contains(static_cast<unsigned char>(c))) << c;
}

TEST(SepaCharSet, SelectingStoresSetAndModeByte) {
    ControlsTestState pinned;
    EXPECT_EQ(SepaCharSet(), SepaCharSetFor(0));
    SelectSepaCharSet(2);
    EXPECT_EQ(SepaCharSetMode(), 2);
    EXPECT_TRUE(SepaCharSet().contains('@'));
    SelectSepaCharSet(7);
    EXPECT_EQ(SepaCharSetMode(), 7);
    EXPECT_EQ(SepaCharSet(), SepaCharSetFor(0));
}

} // namespace
