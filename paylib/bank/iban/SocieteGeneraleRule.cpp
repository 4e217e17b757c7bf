#include "paylib/bank/iban/SocieteGeneraleRule.h"

#include <string>

namespace paylib::iban {
namespace {

constexpr int kTenDigits = 10;
constexpr int kDroppedPosition = 4;

} // namespace

RuleResult SocieteGeneraleRule::apply(const RuleRequest& request) const {
    if (request.length() != kTenDigits || request.digit(kDroppedPosition) != '0')
        return RuleResult::standard(request.account);
    // The leading zero moves positions 1-3 one place right; position 4 leaves.
    std::string account(1, '0');
    account += request.account.substr(0, kDroppedPosition - 1);
    account += request.account.substr(kDroppedPosition);
    return RuleResult::standard(account);
}

} // namespace paylib::iban
