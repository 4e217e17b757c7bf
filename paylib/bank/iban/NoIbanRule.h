#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0001: the bank code is not used in payments; no account gets an IBAN.
class NoIbanRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest&) const override { return RuleResult::noIban(); }
};

} // namespace paylib::iban
