#pragma once

#include "paylib/bank/iban/IbanRule.h"

#include <span>
#include <string_view>

namespace paylib::iban {

// What a rule of this kind prescribes. Empty fields prescribe nothing.
struct BankCodeRedirect {
    std::string_view target = {};      // bank code that enters the IBAN
    std::string_view bic = {};         // BIC of the result
    int bicSinceVersion = 0;           // first version of the rule that prescribes `bic`
    std::string_view checkMethod = {}; // method the account is checked with
    std::span<const std::string_view> sources = {}; // bank codes redirected; empty: all
};

// Rules that send every account of their banks to another bank code and/or prescribe the
// BIC, with the account unchanged and checked by the standard rule (0008, 0012, 0013, 0014,
// 0019, 0025, 0028, 0037, 0038, 0039, 0040, 0043, 0045, 0046, 0048, 0050, 0055, 0057).
class BankCodeRedirectRule : public IbanRule {
public:
    explicit BankCodeRedirectRule(const BankCodeRedirect& redirect) : m_redirect(redirect) {}

    RuleResult apply(const RuleRequest& request) const override;

private:
    BankCodeRedirect m_redirect;
};

} // namespace paylib::iban
