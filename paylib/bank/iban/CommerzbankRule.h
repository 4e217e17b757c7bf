#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0005, Commerzbank and the former Dresdner Bank codes: barred bank codes and account
// ranges, donation accounts with their booking accounts, and the "00" sub-account that
// customers leave out, decided by the bank's check method (09, 13 or 76).
class CommerzbankRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;

private:
    static RuleResult byCheckMethod(const RuleRequest& request);
    static RuleResult byMethod13(const RuleRequest& request);
    static RuleResult byMethod76(const RuleRequest& request);
};

} // namespace paylib::iban
