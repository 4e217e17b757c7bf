#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace paylib {

class BankTable;
struct BankRecord;

// IBAN and BIC of a German bank code and account number, by the standard rule and the
// bank-code table. Bank-specific IBAN rules are not applied: rule 0001 (no IBAN may be
// derived) refuses, every other rule but 0000 gives the notice that only the standard rule
// was used.
class AccountResolver {
public:
    struct Derivation {
        std::int32_t code = 0; // 0, a notice (> 128) or a negative result code
        std::string iban;      // set for code >= 0
        std::string bic;       // empty when the table knows none
    };

    explicit AccountResolver(const BankTable& table) : m_table(table) {}

    // `bankCode` must be eight digits; `account` one to ten significant digits (leading
    // zeros do not count).
    Derivation derive(std::string_view bankCode, std::string_view account) const;

    // BIC of a bank code: 0 and `bic` set, or a negative code.
    std::int32_t bic(std::string_view bankCode, std::string& bic) const;

private:
    std::int32_t findBank(std::string_view bankCode, const BankRecord*& record) const;

    const BankTable& m_table;
};

} // namespace paylib
