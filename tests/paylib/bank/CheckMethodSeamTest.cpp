// The check-method seam: with NoCheckMethodLibrary every method but 09 is one the build
// cannot apply, any other implementation decides what the resolver refuses, and the rules'
// own methods (Commerzbank's 13 and 76) keep working without a library.
#include "paylib/ResultCodes.h"
#include "paylib/bank/AccountCheckDigits.h"
#include "paylib/bank/AccountResolver.h"
#include "paylib/bank/NoCheckMethodLibrary.h"

#include "tests/paylib/EmbeddedTable.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using paylib::AccountCheckDigits;
using paylib::AccountResolver;
using paylib::CheckVerdict;
namespace result = paylib::result;

TEST(NoCheckMethodLibrary, KnowsOnlyMethod09WhichAcceptsEveryAccount) {
    const paylib::NoCheckMethodLibrary library;
    EXPECT_TRUE(library.knows("09"));
    EXPECT_EQ(library.check("09", "10010123", "0000000001"), CheckVerdict::Valid);
    for (const char* method : {"00", "13", "76", "E4", ""}) {
        EXPECT_FALSE(library.knows(method)) << method;
        EXPECT_EQ(library.check(method, "20050550", "0000000001"), CheckVerdict::MethodUnknown)
            << method;
    }
}

struct SeamCase {
    const char* bankCode;
    const char* account;
    std::int32_t code;
    const char* iban;
};

TEST(NoCheckMethodLibrary, AccountsOfOtherMethodsAreConvertedUncheckedNotRefused) {
    const AccountCheckDigits checker(std::make_unique<paylib::NoCheckMethodLibrary>());
    const AccountResolver resolver(paylibtest::embeddedTable(), checker);
    const SeamCase cases[] = {
        // Method 00 would refuse account 1: without the library it is not checked.
        {"20050550", "1", result::kNoticeAccountNotChecked, "DE61200505500000000001"},
        // Method 09 needs no library.
        {"10010123", "1234567", result::kOk, "DE06100101230001234567"},
        // Rule 0005 checks with its own methods 13 and 76 (account type 1 fails 76).
        {"37040044", "532013000", result::kOk, "DE89370400440532013000"},
        {"50080000", "1814706100", result::kAccountRefused, ""},
    };
    for (const SeamCase& c : cases) {
        const AccountResolver::Derivation derived = resolver.derive(c.bankCode, c.account);
        EXPECT_EQ(derived.code, c.code) << c.bankCode << "/" << c.account;
        EXPECT_EQ(derived.iban, c.iban) << c.bankCode << "/" << c.account;
    }
}

// An implementation that refuses every account of every method.
class RefusingLibrary final : public paylib::CheckMethodLibrary {
public:
    CheckVerdict check(std::string_view, std::string_view, std::string_view) const override {
        return CheckVerdict::Invalid;
    }
    bool knows(std::string_view) const override { return true; }
};

TEST(CheckMethodLibrary, ThePluggedInImplementationDecidesWhatIsRefused) {
    const AccountCheckDigits checker(std::make_unique<RefusingLibrary>());
    const AccountResolver resolver(paylibtest::embeddedTable(), checker);
    EXPECT_EQ(resolver.derive("10010123", "1234567").code, result::kAccountRefused);
    EXPECT_EQ(resolver.derive("20050550", "1234567890").code, result::kAccountRefused);
}

} // namespace
