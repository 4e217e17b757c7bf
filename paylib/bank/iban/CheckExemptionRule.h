#pragma once

#include "paylib/bank/iban/IbanRule.h"

#include <span>
#include <string_view>

namespace paylib::iban {

// Rules that name accounts which get their IBAN even though their check digit fails; every
// other account follows the standard rule (0026, 0027, 0030).
class CheckExemptionRule : public IbanRule {
public:
    explicit CheckExemptionRule(std::span<const std::string_view> exempt) : m_exempt(exempt) {}

    RuleResult apply(const RuleRequest& request) const override;

    static bool listed(std::span<const std::string_view> accounts, std::string_view account);

private:
    std::span<const std::string_view> m_exempt;
};

} // namespace paylib::iban
