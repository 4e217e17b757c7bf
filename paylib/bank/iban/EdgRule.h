#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0054, Evangelische Darlehnsgenossenschaft: a table of accounts to use instead, and
// (from version 01) accounts that get their IBAN although their check digit fails.
class EdgRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;
};

} // namespace paylib::iban
