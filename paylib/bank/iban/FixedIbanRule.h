#pragma once

#include "paylib/bank/iban/IbanRule.h"

#include <string_view>

namespace paylib::iban {

// Rule 0041, Bausparkasse Schwäbisch Hall: every account stands for one fixed IBAN, the
// building society's account at another bank.
class FixedIbanRule : public IbanRule {
public:
    FixedIbanRule(std::string_view bankCode, std::string_view account10, std::string_view bic)
        : m_bankCode(bankCode), m_account(account10), m_bic(bic) {}

    RuleResult apply(const RuleRequest&) const override {
        return RuleResult::standard(m_account).withBankCode(m_bankCode).withBic(m_bic).asChecked();
    }

private:
    std::string_view m_bankCode;
    std::string_view m_account;
    std::string_view m_bic;
};

} // namespace paylib::iban
