#include "paylib/sepa/BicCountry.h"

#include <array>

namespace paylib {
namespace {

constexpr std::size_t kBicCountryOffset = 4;
constexpr std::size_t kCountryLength = 2;

struct Territory {
    std::string_view bicCountry;
    std::string_view ibanCountry;
};

constexpr std::array<Territory, 12> kTerritories = {{
    {"GF", "FR"},
    {"GP", "FR"},
    {"MQ", "FR"},
    {"RE", "FR"},
    {"YT", "FR"},
    {"PM", "FR"},
    {"BL", "FR"},
    {"MF", "FR"},
    {"JE", "GB"},
    {"GG", "GB"},
    {"IM", "GB"},
    {"AX", "FI"},
}};

} // namespace

bool BicCountry::fits(std::string_view bic, std::string_view iban) {
    const std::string_view bicCountry = bic.substr(kBicCountryOffset, kCountryLength);
    const std::string_view ibanCountry = iban.substr(0, kCountryLength);
    if (bicCountry == ibanCountry)
        return true;
    for (const Territory& territory : kTerritories) {
        if (territory.bicCountry == bicCountry && territory.ibanCountry == ibanCountry)
            return true;
    }
    return false;
}

} // namespace paylib
