#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace paylib {

class AccountCheckDigits;
class BankTable;
struct BankRecord;

// IBAN and BIC of a German bank code and account number: the bank's IBAN rule (field 14 of
// its record) applied, the account checked with the bank's check-digit method, the BIC of
// the bank code that enters the IBAN unless the rule prescribes one.
class AccountResolver {
public:
    struct Derivation {
        std::int32_t code = 0; // 0, a notice (> 128) or a negative result code
        std::string iban;      // set for code >= 0
        std::string bic;       // empty when neither the rule nor the table knows one
        std::string rule;      // the rule field applied (six digits), set once the bank is found
    };

    explicit AccountResolver(const BankTable& table);
    AccountResolver(const BankTable& table, const AccountCheckDigits& checker)
        : m_table(table), m_checker(checker) {}

    // `bankCode` must be eight digits; `account` one to ten significant digits (leading
    // zeros do not count).
    Derivation derive(std::string_view bankCode, std::string_view account) const;

    // The derivation for a bank record under the rule it carries; `account` has passed the
    // form checks of derive(). Other bank codes the rule leads to are looked up in the table.
    Derivation deriveFor(const BankRecord& bank, std::string_view account) const;

    // BIC of a bank code: 0 and `bic` set, or a negative code.
    std::int32_t bic(std::string_view bankCode, std::string& bic) const;

private:
    std::int32_t findBank(std::string_view bankCode, const BankRecord*& record) const;

    const BankTable& m_table;
    const AccountCheckDigits& m_checker;
};

} // namespace paylib
