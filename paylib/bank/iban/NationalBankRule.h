#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0021, National-Bank: every account goes to 36020030 with the head office's BIC; from
// version 01 only accounts of 6, 7, 9 or 10 digits exist.
class NationalBankRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;
};

} // namespace paylib::iban
