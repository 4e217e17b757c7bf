#include "paylib/bank/iban/SchopfheimZellRule.h"

#include <string>

namespace paylib::iban {
namespace {

constexpr std::string_view kTargetBank = "68351557";
constexpr std::string_view kBic = "SOLADES1SFH";
constexpr std::string_view kOldPrefix = "1116";
constexpr std::string_view kNewPrefix = "3047";

} // namespace

RuleResult SchopfheimZellRule::apply(const RuleRequest& request) const {
    std::string account(request.account);
    if (account.starts_with(kOldPrefix))
        account.replace(0, kOldPrefix.size(), kNewPrefix);
    return RuleResult::standard(account).withBankCode(kTargetBank).withBic(kBic);
}

} // namespace paylib::iban
