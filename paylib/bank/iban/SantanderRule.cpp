#include "paylib/bank/iban/SantanderRule.h"

#include "paylib/bank/iban/AccountDigits.h"

namespace paylib::iban {

RuleResult SantanderRule::apply(const RuleRequest& request) const {
    constexpr int kPaddedOnTheRight = 8;
    if (request.length() != kPaddedOnTheRight)
        return RuleResult::standard(request.account);
    return RuleResult::standard(std::string(significantDigits(request.account)) + "00");
}

} // namespace paylib::iban
