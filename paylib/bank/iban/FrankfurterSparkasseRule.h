#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0010, Frankfurter Sparkasse: two donation accounts, and (from version 01) the 1822direkt
// code 50050222 replaced by 50050201.
class FrankfurterSparkasseRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;
};

} // namespace paylib::iban
