#include "controls/MaskedText.h"

#include "controls/CharClassTable.h"
#include "controls/PaymentCharClasses.h"
#include "tests/controls/ControlsTestState.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr unsigned kSeed = 20131231;
constexpr int kFields = 2000;
constexpr int kStepsPerField = 200;

bool inClass(const MaskedText& f, char c) {
    if (c == '\0')
        return false;
    if (f.mask() == kMaskAnyText)
        return true;
    if (f.mask() == kMaskDigits)
        return c == ' ' || (c >= '0' && c <= '9');
    return f.table().charSet(f.mask()).contains(c);
}

TEST(MaskedTextFuzz, AdmittedCharactersAreNeverZeroAndAlwaysInTheirClass) {
    ControlsTestState pinned;
    const PaymentCharClasses classes;
    CharClassTable mixed;
    mixed.setCaseRule('8', CaseRule::Mixed);
    mixed.setCharSet('8', CharSet::range('A', 'Z').addRange('a', 'z'));
    for (char mask : std::string("X912345678")) {
        const CharClassTable& table =
            mask == '8' ? mixed
                        : (classes.tableForMask(mask) ? *classes.tableForMask(mask)
                                                      : CharClassTable::defaultTable());
        MaskedText probe(mask, 1);
        probe.setTable(&table);
        for (int c = 0; c < 256; ++c) {
            for (int p : {0, int{' '}, int{'-'}, int{'a'}, 255}) {
                const CharAdmission v =
                    AdmitChar(mask, static_cast<char>(c), static_cast<char>(p), table);
                if (v.admitted) {
                    EXPECT_NE(v.character, '\0');
                    EXPECT_TRUE(inClass(probe, v.character)) << mask << " " << c;
                }
            }
        }
    }
}

// Random keys, pastes, selections and focus changes on random fields: the text never grows
// past its length, never holds code 0, and holds only characters of its class.
TEST(MaskedTextFuzz, EditingKeepsTheFieldWithinItsBounds) {
    ControlsTestState pinned;
    const PaymentCharClasses classes;
    std::mt19937 random(kSeed);
    auto below = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const std::string masks = "X912345679";
    for (int n = 0; n < kFields; ++n) {
        const char mask = masks[static_cast<std::size_t>(below(static_cast<int>(masks.size())))];
        MaskedText f(mask, below(20) == 0 ? 255 : 1 + below(12));
        f.setTable(classes.tableForMask(mask));
        for (int step = 0; step < kStepsPerField; ++step) {
            switch (below(9)) {
            case 0:
            case 1:
            case 2:
                f.typeChar(static_cast<char>(below(256)));
                break;
            case 3: {
                std::string clip(static_cast<std::size_t>(below(20)), '\0');
                for (char& c : clip)
                    c = static_cast<char>(below(256));
                f.paste(clip);
                break;
            }
            case 4:
                f.setSelection(below(f.maxLength() + 3) - 1, below(f.maxLength() + 3) - 1);
                break;
            case 5:
                below(2) ? f.backspace() : f.deleteForward();
                break;
            case 6:
                if (f.hasFocus())
                    f.focusOut();
                else
                    f.focusIn(static_cast<MaskedText::FocusReason>(below(3)));
                break;
            case 7:
                below(2) ? f.toggleOverwrite() : f.undo();
                break;
            default:
                f.cut();
                break;
            }
            const std::string& text = f.text();
            ASSERT_LE(static_cast<int>(text.size()), f.maxLength());
            ASSERT_GE(f.caret(), 0);
            ASSERT_LE(f.caret(), static_cast<int>(text.size()));
            ASSERT_GE(f.anchor(), 0);
            ASSERT_LE(f.anchor(), static_cast<int>(text.size()));
            for (char c : text)
                ASSERT_TRUE(inClass(f, c)) << "mask " << mask << " code "
                                           << static_cast<int>(static_cast<unsigned char>(c));
        }
    }
}

} // namespace
