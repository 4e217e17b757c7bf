#pragma once

#include "paylib/bank/iban/IbanRule.h"

#include <span>
#include <string_view>

namespace paylib::iban {

// One listed account of a bank and where it is booked.
struct AccountRedirect {
    std::string_view bankCode;
    std::string_view entered;
    std::string_view targetBankCode;
    std::string_view realAccount;
    std::string_view bic;
};

// Rules of the Landesbank Baden-Württemberg that send listed accounts of their banks to
// another bank code and account (0052, 0053). Every other account gets no IBAN (0052) or
// follows the standard rule (0053).
class AccountRedirectRule : public IbanRule {
public:
    enum class Others { NoIban, Standard };

    AccountRedirectRule(std::span<const AccountRedirect> table, Others others)
        : m_table(table), m_others(others) {}

    RuleResult apply(const RuleRequest& request) const override;

private:
    std::span<const AccountRedirect> m_table;
    Others m_others;
};

} // namespace paylib::iban
