#include "paylib/bank/iban/FrankfurterSparkasseRule.h"

#include "paylib/bank/iban/AccountDigits.h"
#include "paylib/bank/iban/AccountSubstitutionRule.h"

namespace paylib::iban {
namespace {

constexpr std::string_view kSparkasse = "50050201";
constexpr std::string_view kDirekt = "50050222";
constexpr int kFirstVersionWithDirekt = 1;
constexpr AccountSubstitution kDonations[] = {
    {"2000", "0000222000"},
    {"800000", "0000180802"},
};

} // namespace

RuleResult FrankfurterSparkasseRule::apply(const RuleRequest& request) const {
    std::string_view bankCode = request.bankCode();
    RuleResult result = RuleResult::standard(request.account);
    if (request.version >= kFirstVersionWithDirekt && bankCode == kDirekt) {
        bankCode = kSparkasse;
        result.withBankCode(kSparkasse);
    }
    // The donation accounts are the Sparkasse's, also when entered under 1822direkt.
    if (bankCode == kSparkasse) {
        const std::string_view real =
            AccountSubstitutionRule::lookup(kDonations, request.account, request.version);
        if (!real.empty())
            result.account = padded(real);
    }
    return result;
}

} // namespace paylib::iban
