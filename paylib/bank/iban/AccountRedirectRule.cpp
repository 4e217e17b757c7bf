#include "paylib/bank/iban/AccountRedirectRule.h"

#include "paylib/bank/iban/AccountDigits.h"

namespace paylib::iban {

RuleResult AccountRedirectRule::apply(const RuleRequest& request) const {
    for (const AccountRedirect& row : m_table) {
        if (row.bankCode == request.bankCode() && sameAccount(row.entered, request.account)) {
            return RuleResult::standard(padded(row.realAccount))
                .withBankCode(row.targetBankCode)
                .withBic(row.bic);
        }
    }
    return m_others == Others::NoIban ? RuleResult::noIban()
                                      : RuleResult::standard(request.account);
}

} // namespace paylib::iban
