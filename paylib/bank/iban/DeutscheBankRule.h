#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0020, Deutsche Bank (with norisbank and the former Berliner Bank): the account that
// enters the IBAN always has its check digit third from the right (method 63); customers'
// numbers without the "00" sub-account are extended by their length (version 02) or by the
// older order of repair steps (versions 00 and 01).
class DeutscheBankRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;

private:
    static RuleResult byLength(const RuleRequest& request);
    static RuleResult byRepairSteps(const RuleRequest& request);
};

} // namespace paylib::iban
