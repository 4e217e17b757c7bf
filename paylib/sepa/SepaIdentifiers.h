#pragma once

#include <string>
#include <string_view>

namespace paylib {

// Check digits and forms of the identifiers in a SEPA payment: IBAN (ISO 13616, ISO 7064
// MOD 97-10), BIC (ISO 9362) and the SEPA creditor identifier.
class SepaIdentifiers {
public:
    static constexpr std::size_t kGermanAccountDigits = 10;
    static constexpr std::size_t kBankCodeDigits = 8;

    // Remainder modulo 97 of an alphanumeric text read as a number, letters A..Z as 10..35
    // (lower case as upper case); -1 when another character occurs.
    static int mod97(std::string_view text);

    // "DE", check digits, bank code, account padded to ten digits. Expects digits only.
    static std::string germanIban(std::string_view bankCode, std::string_view account);

    // An IBAN a SEPA payment may carry: of a SEPA country, with that country's length and
    // BBAN structure from the ISO 13616 registry, check digits 02 to 98 that pass MOD 97-10.
    static bool isValidIban(std::string_view iban);

    // [A-Z0-9]{4}[A-Z]{2}[A-Z0-9]{2}([A-Z0-9]{3})?
    static bool isValidBic(std::string_view bic);

    // Country, check digits, three-character business code, national identifier (eleven
    // digits for DE); the check digits cover the national identifier and the country.
    static bool isValidCreditorId(std::string_view creditorId);
};

} // namespace paylib
