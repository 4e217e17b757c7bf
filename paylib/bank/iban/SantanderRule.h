#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0047, Santander Consumer Bank: an eight-digit account is padded with "00" on the right.
class SantanderRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;
};

} // namespace paylib::iban
