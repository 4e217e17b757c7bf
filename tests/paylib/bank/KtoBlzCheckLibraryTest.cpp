// Debian's libktoblzcheck behind the check-method seam: which methods it has, where our own
// variants agree with it, and which banks of the embedded data it cannot check. Built only
// where the library is.
#include "paylib/bank/KtoBlzCheckLibrary.h"
#include "paylib/bank/AccountCheckDigits.h"
#include "paylib/bank/iban/AccountDigits.h"
#include "paylib/bank/iban/CheckDigitVariants.h"

#include "tests/paylib/EmbeddedTable.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

namespace cd = paylib::iban::checkdigits;
using paylib::BankRecord;
using paylib::CheckVerdict;
using paylib::iban::padded;

// Pseudo-random accounts of every length, many of them short (where variants differ).
std::vector<std::string> sampleAccounts(std::size_t count) {
    std::mt19937_64 random(20251208);
    std::vector<std::string> accounts;
    for (std::size_t i = 0; i < count; ++i) {
        const int digits = 1 + static_cast<int>(random() % 10);
        std::string account;
        for (int d = 0; d < digits; ++d)
            account += static_cast<char>('0' + random() % 10);
        accounts.push_back(padded(account));
    }
    return accounts;
}

TEST(CheckDigitVariants, OursAgreeWithTheLibraryWhereBothImplementAMethod) {
    const paylib::KtoBlzCheckLibrary library;
    const std::pair<const char*, bool (*)(std::string_view)> methods[] = {
        {"06", cd::method06}, {"13", cd::method13}, {"63", cd::method63}, {"C7", cd::methodC7}};
    for (const std::string& account : sampleAccounts(20000)) {
        for (const auto& [name, ours] : methods) {
            const bool libraryValid =
                library.check(name, "12345678", account) == CheckVerdict::Valid;
            ASSERT_EQ(ours(account), libraryValid) << name << " " << account;
        }
    }
}

TEST(CheckDigitVariants, Method76IsOursBecauseTheLibraryIgnoresTheStemLength) {
    const paylib::KtoBlzCheckLibrary library;
    // A three-digit stem: the library accepts it, the method does not.
    EXPECT_EQ(library.check("76", "50080000", "0000000383"), CheckVerdict::Valid);
    EXPECT_FALSE(cd::method76("0000000383"));
    EXPECT_EQ(paylib::AccountCheckDigits::shared().check("76", "50080000", "0000000383"),
              CheckVerdict::Invalid);
    EXPECT_EQ(paylib::AccountCheckDigits::shared().check("76", "50080000", "0023165400"),
              CheckVerdict::Valid);
}

TEST(KtoBlzCheckLibrary, KnowsTheMethodsOfLibktoblzcheck153Only) {
    const paylib::KtoBlzCheckLibrary library;
    for (const char* method : {"00", "09", "99", "A0", "B8", "C7", "D9", "E0", "E3"})
        EXPECT_TRUE(library.knows(method)) << method;
    for (const char* method : {"E4", "F0", "", "1", "0A", "a1", "123"})
        EXPECT_FALSE(library.knows(method)) << method;
    EXPECT_EQ(library.check("E4", "45050001", "0000012345"), CheckVerdict::MethodUnknown);
    EXPECT_EQ(library.check("", "21050055", "0000012345"), CheckVerdict::MethodUnknown);
    // Method 09 accepts every account; 00 is a real check.
    EXPECT_EQ(library.check("09", "10000000", "0000000001"), CheckVerdict::Valid);
    EXPECT_EQ(library.check("00", "37050198", "0000000001"), CheckVerdict::Invalid);
}

TEST(EmbeddedBankData, OnlyTheseBanksHaveACheckMethodWeCannotApply) {
    // Six codes added after the method data was taken, and method E4 (newer than
    // libktoblzcheck 1.53). Their accounts are converted with notice 213.
    const paylib::KtoBlzCheckLibrary library;
    std::vector<std::string> unchecked;
    for (const BankRecord& bank : paylibtest::embeddedTable().records()) {
        if (bank.checkMethod != "76" && !library.knows(bank.checkMethod))
            unchecked.push_back(bank.bankCode + ":" + bank.checkMethod);
    }
    EXPECT_EQ(unchecked,
              (std::vector<std::string>{"21050055:", "30013300:", "45050001:E4",
                                        "50031900:", "50131700:", "70022424:", "86021000:"}));
}

} // namespace
