#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0036, HSH Nordbank (Hamburg Commercial Bank): every account goes to 21050000; six-digit
// accounts gain "000", the ranges the bank never issued get no IBAN.
class HshNordbankRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;

private:
    enum class Range { Extended, Unchanged, Excluded };
    static Range rangeOf(std::string_view account10);
};

} // namespace paylib::iban
