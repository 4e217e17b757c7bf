#include "paylib/bank/iban/HshNordbankRule.h"

#include <array>

namespace paylib::iban {
namespace {

constexpr std::string_view kTargetBank = "21050000";
constexpr std::string_view kNamedMethod = "C5";
constexpr std::string_view kSubAccount = "000";

struct AccountRange {
    std::string_view first;
    std::string_view last;
};

// Ranges the bank never issued; they take precedence over the wide ranges below.
constexpr std::array<AccountRange, 7> kExcluded = {{
    {"0000000000", "0000099999"},
    {"0000900000", "0029999999"},
    {"0060000000", "0099999999"},
    {"0900000000", "0999999999"},
    {"2000000000", "2999999999"},
    {"7100000000", "8499999999"},
    {"8600000000", "8999999999"},
}};
// Six-digit accounts 100000 to 899999 gain the sub-account "000".
constexpr AccountRange kExtended = {"0000100000", "0000899999"};

bool within(const AccountRange& range, std::string_view account10) {
    return account10 >= range.first && account10 <= range.last;
}

} // namespace

HshNordbankRule::Range HshNordbankRule::rangeOf(std::string_view account10) {
    for (const AccountRange& range : kExcluded) {
        if (within(range, account10))
            return Range::Excluded;
    }
    return within(kExtended, account10) ? Range::Extended : Range::Unchanged;
}

RuleResult HshNordbankRule::apply(const RuleRequest& request) const {
    // The other bank codes' accounts are checked against the code entered before it is
    // replaced; the head office's own excluded ranges get no IBAN before any check.
    const bool redirected = request.bankCode() != kTargetBank;
    if (redirected && request.judge(kNamedMethod).outcome == RuleOutcome::InvalidAccount)
        return RuleResult::invalidAccount();
    const Range range = rangeOf(request.account);
    if (range == Range::Excluded)
        return RuleResult::noIban();
    RuleResult result = request.judge(kNamedMethod);
    if (result.outcome != RuleOutcome::Derived)
        return result;
    if (range == Range::Extended)
        result.account =
            std::string(request.account.substr(kSubAccount.size())) + std::string(kSubAccount);
    return result.withBankCode(kTargetBank);
}

} // namespace paylib::iban
