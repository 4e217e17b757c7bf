#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0009, Sparkasse Schopfheim-Zell: the former Zell code goes to 68351557, and accounts
// beginning 1116 begin 3047 there.
class SchopfheimZellRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;
};

} // namespace paylib::iban
