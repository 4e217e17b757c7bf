#include "paylib/bank/AccountResolver.h"

#include "paylib/ResultCodes.h"
#include "paylib/bank/BankTable.h"
#include "paylib/sepa/SepaIdentifiers.h"

#include <algorithm>

namespace paylib {
namespace {

constexpr int kStandardRule = 0;
constexpr int kNoIbanRule = 1;

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

} // namespace

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

    const int rule = record->ibanRuleNumber();
    if (rule == kNoIbanRule) {
        derivation.code = result::kNoIbanAllowed;
        return derivation;
    }
    account.remove_prefix(account.find_first_not_of('0'));
    derivation.iban = SepaIdentifiers::germanIban(bankCode, account);
    derivation.bic = record->bic;
    if (rule != kStandardRule)
        derivation.code = result::kNoticeIbanRuleNotApplied;
    else if (derivation.bic.empty())
        derivation.code = result::kNoticeNoBic;
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
