#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0049, WGZ Bank and DZ BANK: an account with 9 at position 5 is rotated (positions 5-10
// first); version 00 also replaced four donation accounts.
class DzBankRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;
};

} // namespace paylib::iban
