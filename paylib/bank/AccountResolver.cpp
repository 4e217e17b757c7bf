#include "paylib/bank/AccountResolver.h"

#include "paylib/ResultCodes.h"
#include "paylib/bank/AccountCheckDigits.h"
#include "paylib/bank/BankTable.h"
#include "paylib/bank/iban/AccountDigits.h"
#include "paylib/bank/iban/IbanRule.h"
#include "paylib/bank/iban/IbanRuleRegistry.h"
#include "paylib/sepa/SepaIdentifiers.h"

#include <algorithm>

namespace paylib {
namespace {

using iban::IbanRuleRegistry;
using iban::RuleOutcome;
using iban::RuleResult;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

std::int32_t checkBankCode(std::string_view bankCode) {
    if (!allDigits(bankCode))
        return result::kBankCodeNotDigits;
    if (bankCode.size() != SepaIdentifiers::kBankCodeDigits)
        return result::kBankCodeLength;
    return result::kOk;
}

// One to ten significant digits; an account of zeros only is no account.
std::int32_t checkAccount(std::string_view account) {
    if (!allDigits(account))
        return result::kAccountNotDigits;
    if (account.empty())
        return result::kAccountLength;
    const std::size_t significant = account.find_first_not_of('0');
    if (significant == std::string_view::npos)
        return result::kAccountNotDigits;
    if (account.size() - significant > SepaIdentifiers::kGermanAccountDigits)
        return result::kAccountLength;
    return result::kOk;
}

// The notice that matters most to the user: doubts about the IBAN before a missing BIC.
std::int32_t noticeOf(IbanRuleRegistry::Match match, bool checked, bool hasBic) {
    if (match == IbanRuleRegistry::Match::UnknownRule)
        return result::kNoticeIbanRuleNotApplied;
    if (match == IbanRuleRegistry::Match::NewerVersion)
        return result::kNoticeRuleVersionUnknown;
    if (!checked)
        return result::kNoticeAccountNotChecked;
    if (!hasBic)
        return result::kNoticeNoBic;
    return result::kOk;
}

} // namespace

AccountResolver::AccountResolver(const BankTable& table)
    : AccountResolver(table, AccountCheckDigits::shared()) {}

std::int32_t AccountResolver::findBank(std::string_view bankCode, const BankRecord*& record) const {
    record = nullptr;
    const std::int32_t form = checkBankCode(bankCode);
    if (form != result::kOk)
        return form;
    record = m_table.find(bankCode);
    if (!record)
        return result::kBankCodeUnknown;
    if (record->deleted())
        return result::kBankCodeDeleted;
    return result::kOk;
}

AccountResolver::Derivation AccountResolver::derive(std::string_view bankCode,
                                                    std::string_view account) const {
    Derivation derivation;
    // Both inputs are judged by their form first, the bank code before the account.
    derivation.code = checkBankCode(bankCode);
    if (derivation.code == result::kOk)
        derivation.code = checkAccount(account);
    const BankRecord* record = nullptr;
    if (derivation.code == result::kOk)
        derivation.code = findBank(bankCode, record);
    if (derivation.code != result::kOk)
        return derivation;
    return deriveFor(*record, account);
}

AccountResolver::Derivation AccountResolver::deriveFor(const BankRecord& bank,
                                                       std::string_view account) const {
    Derivation derivation;
    derivation.rule = bank.ibanRule;
    const IbanRuleRegistry::Found found = IbanRuleRegistry::find(bank.ibanRule);
    const std::string account10 = iban::padded(account);
    const RuleResult decided = found.rule->apply({bank, account10, found.version, m_checker});
    if (decided.outcome == RuleOutcome::NoIban) {
        derivation.code = result::kNoIbanAllowed;
        return derivation;
    }
    if (decided.outcome == RuleOutcome::InvalidAccount) {
        derivation.code = result::kAccountRefused;
        return derivation;
    }

    // The successor of a bank code counts only where the rule has not chosen one itself.
    std::string bankCode = decided.bankCode;
    if (bankCode.empty())
        bankCode = bank.hasSuccessor() ? bank.successor : bank.bankCode;
    const BankRecord* target = bankCode == bank.bankCode ? &bank : m_table.find(bankCode);

    bool checked = decided.checked;
    if (!checked) {
        std::string_view method = decided.checkMethod;
        if (method.empty() && target)
            method = target->checkMethod;
        const CheckVerdict verdict = m_checker.check(method, bankCode, decided.account);
        if (verdict == CheckVerdict::Invalid) {
            derivation.code = result::kAccountRefused;
            return derivation;
        }
        checked = verdict == CheckVerdict::Valid;
    }

    derivation.iban = SepaIdentifiers::germanIban(bankCode, decided.account);
    derivation.bic = decided.bic;
    if (derivation.bic.empty() && target)
        derivation.bic = target->bic;
    derivation.code = noticeOf(found.match, checked, !derivation.bic.empty());
    return derivation;
}

std::int32_t AccountResolver::bic(std::string_view bankCode, std::string& bic) const {
    bic.clear();
    const BankRecord* record = nullptr;
    const std::int32_t code = findBank(bankCode, record);
    if (code != result::kOk)
        return code;
    if (record->bic.empty())
        return result::kNoBic;
    bic = record->bic;
    return result::kOk;
}

} // namespace paylib
