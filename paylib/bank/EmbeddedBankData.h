#pragma once

#include <span>
#include <string_view>

namespace paylib {

// One bank code of the data built into the library (data/bank-rules.tsv).
struct EmbeddedBank {
    std::string_view bankCode;    // eight digits
    std::string_view ibanRule;    // rule number and version, six digits
    std::string_view bic;         // empty when the bank has none
    std::string_view checkMethod; // empty when not known
    std::string_view name;        // UTF-8
};

// The banks, sorted by bank code, generated at build time by EmbedBankRules.cmake.
std::span<const EmbeddedBank> embeddedBanks();
// First day the data is valid, YYYYMMDD.
std::string_view embeddedBankDataDate();

} // namespace paylib
