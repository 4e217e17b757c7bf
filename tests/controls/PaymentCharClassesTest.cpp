#include "controls/PaymentCharClasses.h"

#include "controls/CharAdmission.h"
#include "tests/controls/ControlsTestState.h"

#include <gtest/gtest.h>

namespace {

std::string admitted(const PaymentCharClasses& classes, char cls) {
    std::string out;
    const CharClassTable& table = classes.table(cls);
    for (int c = 1; c < 256; ++c) {
        const CharAdmission verdict = AdmitChar(cls, static_cast<char>(c), ' ', table);
        if (verdict.admitted && verdict.character == static_cast<char>(c))
            out += static_cast<char>(c);
    }
    return out;
}

const std::string kDigits = "0123456789";
const std::string kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const std::string kLower = "abcdefghijklmnopqrstuvwxyz";

TEST(PaymentCharClasses, EachClassAdmitsExactlyItsCharacters) {
    ControlsTestState pinned;
    const PaymentCharClasses classes(false);
    EXPECT_EQ(admitted(classes, '1'),
              " ()+,-./" + kDigits + ":?" + kUpper + kLower + "\xC4\xD6\xDC\xDF\xE4\xF6\xFC");
    EXPECT_EQ(admitted(classes, '2'), kDigits + kUpper);
    EXPECT_EQ(admitted(classes, '3'), "." + kDigits);
    EXPECT_EQ(admitted(classes, '4'), ",." + kDigits);
    EXPECT_EQ(admitted(classes, '5'), "+-./" + kDigits + ":?" + kUpper + kLower);
    EXPECT_EQ(admitted(classes, '6'), " -." + kDigits + ":" + kUpper + "\\_" + kLower);
    EXPECT_EQ(admitted(classes, '7'), "*." + kDigits + ":?" + kUpper + "\\_" + kLower);

    const PaymentCharClasses posix(true);
    EXPECT_EQ(admitted(posix, '6'), " -./" + kDigits + ":" + kUpper + "\\_" + kLower);
    EXPECT_EQ(admitted(posix, '7'), "*./" + kDigits + ":?" + kUpper + "\\_" + kLower);
}

TEST(PaymentCharClasses, CodeClassTurnsLowerCaseIntoCapitals) {
    const PaymentCharClasses classes;
    EXPECT_EQ(classes.table('2').caseRule('2'), CaseRule::Upper);
    const CharAdmission verdict = AdmitChar('2', 'q', ' ', classes.table('2'));
    EXPECT_TRUE(verdict.admitted);
    EXPECT_EQ(verdict.character, 'Q');
    EXPECT_FALSE(AdmitChar('2', '\xE4', ' ', classes.table('2')).admitted);
}

TEST(PaymentCharClasses, EachTableDefinesOnlyItsOwnSlot) {
    const PaymentCharClasses classes;
    for (char cls = '1'; cls <= '7'; ++cls) {
        for (char slot = '1'; slot <= '8'; ++slot) {
            if (slot == cls)
                continue;
            EXPECT_EQ(classes.table(cls).charSet(slot).count(), 255u) << cls << slot;
            EXPECT_EQ(classes.table(cls).caseRule(slot), CaseRule::None) << cls << slot;
        }
    }
}

TEST(PaymentCharClasses, TextClassCopiesTheSepaSetCurrentAtConstruction) {
    ControlsTestState pinned;
    SelectSepaCharSet(2);
    const PaymentCharClasses extended;
    SelectSepaCharSet(0);
    EXPECT_TRUE(AdmitChar('1', '@', ' ', extended.table('1')).admitted);
    const PaymentCharClasses basic;
    EXPECT_FALSE(AdmitChar('1', '@', ' ', basic.table('1')).admitted);
    EXPECT_TRUE(AdmitChar('1', '@', ' ', extended.table('1')).admitted);
}

TEST(PaymentCharClasses, FieldsAreBoundByMaskAndTheIdentifierClassToNone) {
    const PaymentCharClasses classes;
    for (char mask : std::string("123467"))
        EXPECT_EQ(classes.tableForMask(mask), &classes.table(mask)) << mask;
    for (char mask : std::string("58X90"))
        EXPECT_EQ(classes.tableForMask(mask), nullptr) << mask;
    EXPECT_EQ(&classes.table('8'), &CharClassTable::defaultTable());
}

} // namespace
