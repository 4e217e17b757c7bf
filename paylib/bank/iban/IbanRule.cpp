#include "paylib/bank/iban/IbanRule.h"

#include "paylib/bank/AccountCheckDigits.h"
#include "paylib/bank/BankRecord.h"

namespace paylib::iban {

std::string_view RuleRequest::bankCode() const {
    return bank.bankCode;
}

int RuleRequest::length() const {
    const std::size_t first = account.find_first_not_of('0');
    return first == std::string_view::npos ? 0 : static_cast<int>(account.size() - first);
}

std::string_view RuleRequest::methodOr(std::string_view namedMethod) const {
    return bank.checkMethod.empty() ? namedMethod : std::string_view(bank.checkMethod);
}

RuleResult RuleRequest::judge(std::string_view namedMethod) const {
    const std::string_view method = methodOr(namedMethod);
    switch (checker.check(method, bank.bankCode, account)) {
    case CheckVerdict::Invalid:
        return RuleResult::invalidAccount();
    case CheckVerdict::Valid:
        return RuleResult::standard(account).asChecked();
    case CheckVerdict::MethodUnknown:
        break;
    }
    return RuleResult::standard(account).withCheckMethod(method);
}

RuleResult RuleResult::standard(std::string_view account10) {
    RuleResult result;
    result.account = account10;
    return result;
}

RuleResult RuleResult::noIban() {
    RuleResult result;
    result.outcome = RuleOutcome::NoIban;
    return result;
}

RuleResult RuleResult::invalidAccount() {
    RuleResult result;
    result.outcome = RuleOutcome::InvalidAccount;
    return result;
}

RuleResult& RuleResult::withBankCode(std::string_view code) {
    bankCode = code;
    return *this;
}

RuleResult& RuleResult::withBic(std::string_view prescribed) {
    bic = prescribed;
    return *this;
}

RuleResult& RuleResult::withCheckMethod(std::string_view method) {
    checkMethod = method;
    return *this;
}

RuleResult& RuleResult::asChecked() {
    checked = true;
    return *this;
}

} // namespace paylib::iban
