#include "controls/MaskedText.h"

#include "controls/PaymentCharClasses.h"
#include "tests/controls/ControlsTestState.h"

#include <gtest/gtest.h>

namespace {

// A field as the payment dialogs bind it, with the Windows path rules unless asked.
class MaskedTextTest : public ::testing::Test {
protected:
    MaskedText field(char mask, int maxLength) {
        MaskedText f(mask, maxLength);
        f.setTable(m_classes.tableForMask(mask));
        f.focusIn(MaskedText::FocusReason::Keyboard);
        return f;
    }

    // Types `text` key by key; returns how many keys were refused.
    static int type(MaskedText& f, std::string_view text) {
        int refused = 0;
        for (char c : text)
            refused += f.typeChar(c) ? 0 : 1;
        return refused;
    }

    // Types `text` into an empty field and returns what it reads after leaving it.
    std::string typedAndRead(char mask, int maxLength, std::string_view text) {
        MaskedText f = field(mask, maxLength);
        EXPECT_EQ(type(f, text), 0) << text;
        f.focusOut();
        return f.readText();
    }

    ControlsTestState m_pinned;
    PaymentCharClasses m_classes{false};
};

TEST_F(MaskedTextTest, DigitFieldAdmitsInnerBlanksAndTrimsOuterOnes) {
    EXPECT_EQ(typedAndRead('9', 11, "1234 5678"), "1234 5678");
    EXPECT_EQ(typedAndRead('9', 11, " 12345678 "), "12345678");
    EXPECT_EQ(typedAndRead('9', 11, "12 34"), "12 34");
    MaskedText f = field('9', 8);
    EXPECT_EQ(type(f, "a-/+"), 4);
    EXPECT_EQ(f.text(), "");
}

TEST_F(MaskedTextTest, CodeFieldUpperCasesAndRefusesTheRest) {
    EXPECT_EQ(typedAndRead('2', 11, "deutdeff"), "DEUTDEFF");
    MaskedText f = field('2', 11);
    EXPECT_EQ(type(f, "de"), 0);
    for (char c : std::string("\xE4- /")) {
        EXPECT_FALSE(f.typeChar(c)) << c;
        EXPECT_EQ(f.text(), "DE");
        EXPECT_EQ(f.caret(), 2);
    }
}

TEST_F(MaskedTextTest, CodeFieldPasteSkipsRefusedCharactersAndCutsAtTheLength) {
    MaskedText f = field('2', 11);
    f.paste("de89 3704-0044");
    EXPECT_EQ(f.text(), "DE893704004");
}

TEST_F(MaskedTextTest, TextFieldAdmitsGermanNamesAndRefusesOtherPunctuation) {
    EXPECT_EQ(typedAndRead('1', 30, "M\xFCller (S\xF6hne) GmbH, Nr. 7/8"),
              "M\xFCller (S\xF6hne) GmbH, Nr. 7/8");
    EXPECT_EQ(typedAndRead('1', 30, "\xC4\xD6\xDC\xDF\xE4\xF6\xFC"),
              "\xC4\xD6\xDC\xDF\xE4\xF6\xFC");
    MaskedText f = field('1', 30);
    EXPECT_EQ(type(f, "&'*@#_\xE9\x80"), 8);
    EXPECT_EQ(f.text(), "");
}

TEST_F(MaskedTextTest, AmountAndDateFieldsTestCharactersNotFormats) {
    EXPECT_EQ(typedAndRead('4', 12, "1.234,56"), "1.234,56");
    EXPECT_EQ(typedAndRead('4', 12, "12,5"), "12,5");
    EXPECT_EQ(typedAndRead('4', 12, "1.2.3,4"), "1.2.3,4");
    MaskedText amount = field('4', 12);
    EXPECT_EQ(type(amount, "aZe-"), 4);

    EXPECT_EQ(typedAndRead('3', 10, "31.12.2013"), "31.12.2013");
    EXPECT_EQ(typedAndRead('3', 10, ".."), "..");
    EXPECT_EQ(typedAndRead('3', 10, "3..1"), "3..1");
    MaskedText date = field('3', 10);
    EXPECT_EQ(type(date, ",/-a"), 4);
}

TEST_F(MaskedTextTest, PathAndFileNameClassesWithWindowsRules) {
    EXPECT_EQ(typedAndRead('6', 255, "C:\\Daten\\SEPA_Out"), "C:\\Daten\\SEPA_Out");
    MaskedText path = field('6', 255);
    EXPECT_EQ(type(path, "/*"), 2);

    EXPECT_EQ(typedAndRead('7', 30, "*.xml"), "*.xml");
    EXPECT_EQ(typedAndRead('7', 30, "sepa?.xml"), "sepa?.xml");
    MaskedText name = field('7', 30);
    EXPECT_EQ(type(name, " -"), 2);
}

TEST_F(MaskedTextTest, PathAndFileNameClassesAdmitTheSlashOnPosix) {
    const PaymentCharClasses posix(true);
    for (char mask : {'6', '7'}) {
        MaskedText f(mask, 255);
        f.setTable(posix.tableForMask(mask));
        EXPECT_TRUE(f.typeChar('/')) << mask;
        EXPECT_TRUE(f.typeChar('\\')) << mask;
        EXPECT_FALSE(f.typeChar('\xE4')) << mask;
    }
    MaskedText path('6', 255);
    path.setTable(posix.tableForMask('6'));
    path.paste("/home/user/SEPA_Out");
    EXPECT_EQ(path.text(), "/home/user/SEPA_Out");
}

TEST_F(MaskedTextTest, FullFieldWithCaretInsideDropsItsLastCharacter) {
    MaskedText f = field('9', 8);
    type(f, "12345678");
    f.setCaret(3);
    EXPECT_TRUE(f.typeChar('0'));
    EXPECT_EQ(f.text(), "12304567");
    EXPECT_EQ(f.caret(), 4);
}

TEST_F(MaskedTextTest, FullFieldWithCaretAtTheEndRefusesAndKeepsEverything) {
    MaskedText f = field('9', 8);
    type(f, "12345678");
    EXPECT_FALSE(f.typeChar('9'));
    EXPECT_EQ(f.text(), "12345678");
    EXPECT_EQ(f.caret(), 8);
}

TEST_F(MaskedTextTest, TypingReplacesASelection) {
    MaskedText f = field('9', 8);
    type(f, "12345678");
    f.setSelection(2, 5);
    EXPECT_TRUE(f.typeChar('0'));
    EXPECT_EQ(f.text(), "120678");
    EXPECT_EQ(f.caret(), 3);
    // A refused key leaves the selection alone.
    f.setSelection(0, 2);
    EXPECT_FALSE(f.typeChar('x'));
    EXPECT_EQ(f.text(), "120678");
    EXPECT_EQ(f.selectedText(), "12");
}

TEST_F(MaskedTextTest, StoredTextIsCutAndCaseConvertedButNotTested) {
    MaskedText code = field('2', 11);
    code.setText("deutdeffxxx1");
    EXPECT_EQ(code.text(), "DEUTDEFFXXX");
    code.setText("de-89 ?");
    EXPECT_EQ(code.text(), "DE-89 ?");

    MaskedText digits = field('9', 8);
    digits.setText(std::string("12\0"
                               "34",
                               5));
    EXPECT_EQ(digits.text(), "12");
}

TEST_F(MaskedTextTest, PastedLineBreakStaysInAnyTextFieldOnly) {
    MaskedText any = field('X', 255);
    any.paste("C:\\Temp\tA\r\n");
    EXPECT_EQ(any.text(), "C:\\Temp\tA\r\n");
    MaskedText text = field('1', 30);
    text.paste("Zeile\r\n");
    EXPECT_EQ(text.text(), "Zeile");
}

TEST_F(MaskedTextTest, CodeZeroIsNeverAdmitted) {
    CharClassTable table;
    for (char mask : std::string("X9123456789")) {
        EXPECT_FALSE(AdmitChar(mask, '\0', ' ', table).admitted) << mask;
        MaskedText f(mask, 10);
        f.paste(std::string_view("a\0b", 3));
        EXPECT_EQ(f.text().find('\0'), std::string::npos) << mask;
    }
}

TEST_F(MaskedTextTest, KeyboardControlCodesAreIgnoredWithoutBeepButPastedOnesCount) {
    MaskedText f = field('X', 20);
    EXPECT_TRUE(f.typeChar('\t'));
    EXPECT_TRUE(f.typeChar('\r'));
    EXPECT_EQ(f.text(), "");
    EXPECT_TRUE(f.typeChar('\x7F'));
    EXPECT_TRUE(f.typeChar('\xFF'));
    EXPECT_TRUE(f.typeChar(' '));
    EXPECT_EQ(f.text(), "\x7F\xFF ");
}

TEST_F(MaskedTextTest, OverwriteReplacesUnderTheCaretAndRefusesAtMaxLength) {
    MaskedText f = field('9', 4);
    type(f, "123");
    f.toggleOverwrite();
    f.setCaret(1);
    EXPECT_TRUE(f.typeChar('7'));
    EXPECT_EQ(f.text(), "173");
    EXPECT_TRUE(f.typeChar('8'));
    EXPECT_TRUE(f.typeChar('9'));
    EXPECT_EQ(f.text(), "1789");
    EXPECT_EQ(f.caret(), 4);
    EXPECT_FALSE(f.typeChar('0'));
    EXPECT_EQ(f.text(), "1789");
}

TEST_F(MaskedTextTest, PasteInsertsPushesAndDropsButNeverRefuses) {
    MaskedText f = field('9', 6);
    type(f, "1234");
    f.setCaret(1);
    EXPECT_EQ(f.paste("ab56x78"), 4);
    // 5 and 6 fill the field; 7 and 8 push 3 and 4 out.
    EXPECT_EQ(f.text(), "156782");
    EXPECT_EQ(f.caret(), 5);

    f.setCaret(6);
    EXPECT_EQ(f.paste("99"), 0);
    EXPECT_EQ(f.text(), "156782");

    f.setSelection(1, 4);
    EXPECT_EQ(f.paste("x"), 0);
    EXPECT_EQ(f.text(), "182");
}

TEST_F(MaskedTextTest, PasteUsesCode255AsPredecessorSoTheMixedRuleNeverUpperCases) {
    CharClassTable mixed;
    mixed.setCaseRule('8', CaseRule::Mixed);
    MaskedText f('8', 30);
    f.setTable(&mixed);
    f.paste("max mustermann-meier");
    EXPECT_EQ(f.text(), "max mustermann-meier");
    f.setText("");
    for (char c : std::string("max mustermann-meier"))
        f.typeChar(c);
    EXPECT_EQ(f.text(), "Max Mustermann-Meier");
}

TEST_F(MaskedTextTest, KeyboardFocusSelectsAllWithCaretAtEndMouseFocusSelectsNothing) {
    MaskedText f('X', 30);
    f.setText("Alter Text");
    f.setCaret(2);
    f.focusIn(MaskedText::FocusReason::Keyboard);
    EXPECT_EQ(f.selectedText(), "Alter Text");
    EXPECT_EQ(f.caret(), 10);
    EXPECT_TRUE(f.typeChar('N'));
    EXPECT_EQ(f.text(), "N");
    f.focusOut();

    f.setText("Alter Text");
    f.setSelection(0, 3);
    f.focusIn(MaskedText::FocusReason::Mouse);
    EXPECT_FALSE(f.hasSelection());
    f.focusOut();

    f.setSelection(0, 3);
    f.focusIn(MaskedText::FocusReason::Restore);
    EXPECT_EQ(f.selectedText(), "Alt");
}

TEST_F(MaskedTextTest, InsertModeIsSharedThroughFocusChanges) {
    MaskedText first('X', 10);
    MaskedText second('X', 10);
    first.focusIn(MaskedText::FocusReason::Keyboard);
    EXPECT_FALSE(first.overwrite());
    first.toggleOverwrite();
    first.focusOut();
    EXPECT_TRUE(MaskedText::sharedOverwrite());
    second.focusIn(MaskedText::FocusReason::Mouse);
    EXPECT_TRUE(second.overwrite());
    second.toggleOverwrite();
    second.focusOut();
    first.focusIn(MaskedText::FocusReason::Keyboard);
    EXPECT_FALSE(first.overwrite());
}

TEST_F(MaskedTextTest, AMomentaryFocusLossHandsTheModeBackButDoesNotValidate) {
    MaskedText f = field('X', 30);
    type(f, " a ");
    f.toggleOverwrite();
    EXPECT_FALSE(f.focusOut(true));
    EXPECT_TRUE(MaskedText::sharedOverwrite());
    EXPECT_EQ(f.text(), " a ");
    f.focusIn(MaskedText::FocusReason::Restore);
    EXPECT_TRUE(f.overwrite());
    EXPECT_TRUE(f.focusOut());
    EXPECT_EQ(f.text(), "a");
}

TEST_F(MaskedTextTest, ValidationTrimsOnlyBlanksAndOnlyWhileFocused) {
    MaskedText f('X', 30);
    f.setText("  a  b \t ");
    EXPECT_EQ(f.readText(), "  a  b \t ");
    f.focusIn(MaskedText::FocusReason::Mouse);
    f.setCaret(4);
    EXPECT_TRUE(f.validate());
    EXPECT_EQ(f.text(), "a  b \t");
    EXPECT_EQ(f.caret(), 2);
    EXPECT_FALSE(f.validate());

    f.setText("    ");
    EXPECT_EQ(f.readText(), "");
    EXPECT_EQ(f.caret(), 0);
}

TEST_F(MaskedTextTest, BackspaceDeleteCutAndUndo) {
    MaskedText f = field('X', 10);
    type(f, "abcdef");
    f.backspace();
    EXPECT_EQ(f.text(), "abcde");
    f.setCaret(0);
    f.backspace();
    f.deleteForward();
    EXPECT_EQ(f.text(), "bcde");
    f.setCaret(4);
    f.deleteForward();
    EXPECT_EQ(f.text(), "bcde");
    f.setSelection(3, 1);
    EXPECT_EQ(f.cut(), "cd");
    EXPECT_EQ(f.text(), "be");
    EXPECT_EQ(f.caret(), 1);
    f.undo();
    EXPECT_EQ(f.text(), "bcde");
    EXPECT_EQ(f.selectedText(), "cd");
    f.undo();
    EXPECT_EQ(f.text(), "be");
}

TEST_F(MaskedTextTest, LengthAndMaskAreKeptInRange) {
    MaskedText f('Q', 0);
    EXPECT_EQ(f.mask(), 'X');
    EXPECT_EQ(f.maxLength(), 1);
    f.setMaxLength(300);
    EXPECT_EQ(f.maxLength(), 255);
    f.setText("abcdef");
    f.setMaxLength(3);
    EXPECT_EQ(f.text(), "abc");
    EXPECT_EQ(f.caret(), 3);
    f.setMask('9');
    f.setMask('x');
    EXPECT_EQ(f.mask(), '9');
}

} // namespace
