#pragma once

#include "paylib/bank/iban/IbanRule.h"

#include <span>
#include <string_view>

namespace paylib::iban {

struct AccountSubstitution;

// Rules 0031 to 0035, UniCredit Bank - HypoVereinsbank: a ten-digit account belongs to the
// bank code that the table of the former HYPO-Bank gives for its first three digits (the
// "Kontenkreis"); shorter accounts stay with the bank code entered.
class UniCreditRule : public IbanRule {
public:
    enum class Variant {
        DeletedCode, // 0031: deleted HYPO-Bank codes, ten-digit accounts only
        Receiving,   // 0032 and 0034/0035: 8xxxxxxxx has no IBAN
        Muenchen,    // 0033 (70020270): 8xxxxxxxx is valid here
    };

    // `donations`: the rule's donation accounts, `namedMethod`: the check method its text
    // names for its banks.
    UniCreditRule(Variant variant, std::span<const AccountSubstitution> donations,
                  std::string_view namedMethod)
        : m_variant(variant), m_donations(donations), m_namedMethod(namedMethod) {}

    RuleResult apply(const RuleRequest& request) const override;

    // The bank code for the IBAN of a ten-digit account, or empty when the table has none.
    static std::string_view bankCodeOfKontenkreis(std::string_view account10);

private:
    Variant m_variant;
    std::span<const AccountSubstitution> m_donations;
    std::string_view m_namedMethod;
};

} // namespace paylib::iban
