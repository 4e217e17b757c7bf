#include "paylib/bank/iban/AccountSubstitutionRule.h"

#include "paylib/bank/iban/AccountDigits.h"

namespace paylib::iban {

std::string_view AccountSubstitutionRule::lookup(std::span<const AccountSubstitution> table,
                                                 std::string_view account, int version) {
    for (const AccountSubstitution& row : table) {
        if (version >= row.sinceVersion && sameAccount(row.entered, account))
            return row.real;
    }
    return {};
}

RuleResult AccountSubstitutionRule::apply(const RuleRequest& request) const {
    const std::string_view real = lookup(m_table, request.account, request.version);
    return RuleResult::standard(real.empty() ? std::string(request.account) : padded(real));
}

} // namespace paylib::iban
