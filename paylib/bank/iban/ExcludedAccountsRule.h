#pragma once

#include "paylib/bank/iban/IbanRule.h"

namespace paylib::iban {

// Rules that refuse an IBAN for accounts of a given form and treat every other account by the
// standard rule (0002: Augsburger Aktienbank, 0003: Aareal Bank).
class ExcludedAccountsRule : public IbanRule {
public:
    using Predicate = bool (*)(std::string_view account10);

    explicit ExcludedAccountsRule(Predicate excluded) : m_excluded(excluded) {}

    RuleResult apply(const RuleRequest& request) const override {
        return m_excluded(request.account) ? RuleResult::noIban()
                                           : RuleResult::standard(request.account);
    }

private:
    Predicate m_excluded;
};

} // namespace paylib::iban
