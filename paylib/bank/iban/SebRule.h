#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0056, SEB: donation accounts with a fixed IBAN each (version 00), and bank codes that
// admit only ten-digit accounts.
class SebRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;
};

} // namespace paylib::iban
