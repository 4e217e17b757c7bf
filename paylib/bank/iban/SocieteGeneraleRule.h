#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0029, Société Générale: a ten-digit account with 0 at position 4 loses that digit and
// gains a leading zero (2600123456 becomes 0260123456).
class SocieteGeneraleRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;
};

} // namespace paylib::iban
