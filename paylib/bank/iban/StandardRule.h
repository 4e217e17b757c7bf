#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0000: the account as entered, checked with the bank's method.
class StandardRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override {
        return RuleResult::standard(request.account);
    }
};

} // namespace paylib::iban
