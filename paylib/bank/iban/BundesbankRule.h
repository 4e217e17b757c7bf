#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rule 0042, Deutsche Bundesbank: only eight-digit accounts of the listed structures, and
// (from version 01) ten-digit accounts nnn44nnnnn, get an IBAN.
class BundesbankRule : public IbanRule {
public:
    RuleResult apply(const RuleRequest& request) const override;

private:
    static bool admitsEightDigits(std::string_view number);
    static bool admitsTenDigits(std::string_view number);
};

} // namespace paylib::iban
