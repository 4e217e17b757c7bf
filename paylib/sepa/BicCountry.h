#pragma once

#include <string_view>

namespace paylib {

// Whether a BIC can serve an IBAN: the BIC's country (its fifth and sixth characters) is
// the IBAN's, or a territory of the SEPA scheme that uses that country's IBAN: the French
// overseas departments and collectivities in SEPA (GF, GP, MQ, RE, YT, PM, BL, MF: FR), the
// Crown Dependencies (JE, GG, IM: GB) and the Åland Islands (AX: FI). Kept apart from the
// bank data's IBAN rules on purpose: it needs only the two country codes.
class BicCountry {
public:
    // Expects a BIC and an IBAN of valid form.
    static bool fits(std::string_view bic, std::string_view iban);
};

} // namespace paylib
