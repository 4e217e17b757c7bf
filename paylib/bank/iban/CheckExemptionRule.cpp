#include "paylib/bank/iban/CheckExemptionRule.h"

#include "paylib/bank/iban/AccountDigits.h"

#include <algorithm>

namespace paylib::iban {

bool CheckExemptionRule::listed(std::span<const std::string_view> accounts,
                                std::string_view account) {
    return std::any_of(accounts.begin(), accounts.end(), [&](std::string_view listedAccount) {
        return sameAccount(listedAccount, account);
    });
}

RuleResult CheckExemptionRule::apply(const RuleRequest& request) const {
    RuleResult result = RuleResult::standard(request.account);
    if (listed(m_exempt, request.account))
        result.asChecked();
    return result;
}

} // namespace paylib::iban
