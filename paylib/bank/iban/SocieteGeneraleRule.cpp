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
    std::string account = "0" + std::string(request.account);
    account.erase(kDroppedPosition, 1); // position 4 of the number is index 4 after the prefix
    return RuleResult::standard(account);
}

} // namespace paylib::iban
