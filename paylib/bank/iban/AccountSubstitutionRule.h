#pragma once

#include "paylib/bank/iban/IbanRule.h"

#include <span>
#include <string_view>

namespace paylib::iban {

// One row of a bank's table of donation or pseudo accounts: the number customers use and the
// real account that enters the IBAN.
struct AccountSubstitution {
    std::string_view entered;
    std::string_view real;
    int sinceVersion = 0;
};

// Rules that replace listed accounts and treat every other account by the standard rule
// (0004, 0006, 0007, 0011, 0015, 0016, 0017, 0018, 0022, 0023, 0024, 0044, 0051). The real
// account carries its own check digit and is checked; the listed number need not.
class AccountSubstitutionRule : public IbanRule {
public:
    explicit AccountSubstitutionRule(std::span<const AccountSubstitution> table) : m_table(table) {}

    RuleResult apply(const RuleRequest& request) const override;

    // The real account for `account` under `version`, or empty.
    static std::string_view lookup(std::span<const AccountSubstitution> table,
                                   std::string_view account, int version);

private:
    std::span<const AccountSubstitution> m_table;
};

} // namespace paylib::iban
