#include "paylib/bank/iban/BankCodeRedirectRule.h"

#include <algorithm>

namespace paylib::iban {

RuleResult BankCodeRedirectRule::apply(const RuleRequest& request) const {
    RuleResult result = RuleResult::standard(request.account);
    const auto& sources = m_redirect.sources;
    const bool redirected = sources.empty() || std::find(sources.begin(), sources.end(),
                                                         request.bankCode()) != sources.end();
    if (!redirected)
        return result;
    if (!m_redirect.target.empty())
        result.withBankCode(m_redirect.target);
    if (request.version >= m_redirect.bicSinceVersion)
        result.withBic(m_redirect.bic);
    return result.withCheckMethod(m_redirect.checkMethod);
}

} // namespace paylib::iban
