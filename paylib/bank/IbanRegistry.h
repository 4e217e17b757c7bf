#pragma once

#include <span>
#include <string_view>

namespace paylib {

// The IBAN formats of the ISO 13616 registry (SWIFT as registration authority): length and
// BBAN structure per country, and whether the country takes part in SEPA payments. The
// facts are listed in IbanRegistry.cpp with the registry release they reproduce.
class IbanRegistry {
public:
    struct Country {
        std::string_view code;
        std::size_t length;    // of the whole IBAN
        std::string_view bban; // registry notation: 4!a = four letters, n digits, c either
        bool sepa;
    };

    enum class Verdict {
        Valid,
        UnknownCountry,   // no IBAN country (or not two letters)
        WrongLength,      // not the country's length
        WrongFormat,      // check digits or BBAN not of the country's structure
        WrongCheckDigits, // check digits outside 02..98, or MOD 97-10 remainder not 1
    };

    // `iban` in electronic form (no blanks, upper case).
    static Verdict check(std::string_view iban);

    static const Country* find(std::string_view countryCode);
    static std::span<const Country> countries();

    // Whether `text` has the structure of a BBAN notation such as "8!n10!n".
    static bool matches(std::string_view bbanNotation, std::string_view text);
};

} // namespace paylib
