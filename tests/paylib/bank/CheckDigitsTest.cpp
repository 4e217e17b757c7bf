// The check-digit methods the IBAN rules depend on: our variants against the Bundesbank's test
// accounts (KtoBlzCheckLibraryTest compares them with libktoblzcheck).
#include "paylib/bank/AccountCheckDigits.h"
#include "paylib/bank/iban/AccountDigits.h"
#include "paylib/bank/iban/CheckDigitVariants.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace cd = paylib::iban::checkdigits;
using paylib::CheckVerdict;
using paylib::iban::padded;

struct MethodCase {
    const char* account;
    bool (*method)(std::string_view);
    const char* name;
    bool valid;
};

TEST(CheckDigitVariants, TheBundesbanksTestAccountsAndTheirNeighbours) {
    const MethodCase cases[] = {
        {"94012341", cd::method06, "06", true},
        {"5073321010", cd::method06, "06", true},
        {"5073321011", cd::method06, "06", false},
        // 63: check digit third from the right; 3500022 only through the exception.
        {"38150900", cd::method63Plain, "63-std", true},
        {"600103660", cd::method63Plain, "63-std", true},
        {"39101181", cd::method63Plain, "63-std", true},
        {"3500022", cd::method63Plain, "63-std", false},
        {"3500022", cd::method63Exception, "63-exc", true},
        {"3500022", cd::method63, "63", true},
        {"1038150900", cd::method63, "63", false}, // position 1 must be 0
        // 76: the worked example, the test accounts, account types and stem lengths.
        {"0012345600", cd::method76Plain, "76-std", true},
        {"0006543200", cd::method76Plain, "76-std", true},
        {"9012345600", cd::method76Plain, "76-std", true},
        {"7876543100", cd::method76Plain, "76-std", true},
        {"1814706100", cd::method76Plain, "76-std", false}, // account type 1
        {"5814706100", cd::method76Plain, "76-std", false}, // account type 5
        {"6814706100", cd::method76Plain, "76-std", true},
        {"526400", cd::method76, "76", false}, // a four-digit stem
        {"43503", cd::method76Plain, "76-std", false},
        {"43503", cd::method76Exception, "76-exc", true},
        {"4350300", cd::method76Exception, "76-exc", false}, // positions 1-2 are 00, 3 is not
        // C7: variant 1 (63), variant 2 (06), neither.
        {"3500022", cd::methodC7, "C7", true},
        {"38150900", cd::methodC7, "C7", true},
        {"600103660", cd::methodC7, "C7", true},
        {"39101181", cd::methodC7, "C7", true},
        {"94012341", cd::methodC7, "C7", true},
        {"5073321010", cd::methodC7, "C7", true},
        {"1234517892", cd::methodC7, "C7", false},
        {"987614325", cd::methodC7, "C7", false},
        // 13: the second try with "00" appended.
        {"101337", cd::method13Plain, "13-std", false},
        {"10133700", cd::method13Plain, "13-std", true},
        {"101337", cd::method13, "13", true},
    };
    for (const MethodCase& c : cases) {
        EXPECT_EQ(c.method(padded(c.account)), c.valid) << c.name << " " << c.account;
    }
}

TEST(CheckDigitVariants, TheRemainderTenIsNeverValidForMethod76) {
    // A seven-digit stem whose positions 2..7 (1,0,0,0,0,7) weigh 7 + 14 = 21: remainder 10
    // fits no check digit.
    for (char check = '0'; check <= '9'; ++check) {
        std::string account = "0100007000";
        account[7] = check;
        EXPECT_FALSE(cd::method76Plain(account)) << account;
    }
}

} // namespace
