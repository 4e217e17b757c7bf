#include "paylib/bank/IbanRegistry.h"

#include "paylib/sepa/SepaIdentifiers.h"

#include <algorithm>

namespace paylib {
namespace {

// The IBAN registry (ISO 13616, SWIFT) as of its 2024 releases, and the EPC's list of SEPA
// scheme countries as of 2025 (Albania, Moldova, Montenegro and North Macedonia admitted
// 2024/25). Territories that use another country's IBAN (Åland, the French overseas
// departments, the Channel Islands) have no entry of their own. Sorted by code.
constexpr IbanRegistry::Country kCountries[] = {
    {"AD", 24, "4!n4!n12!c", true},        {"AE", 23, "3!n16!n", false},
    {"AL", 28, "8!n16!c", true},           {"AT", 20, "5!n11!n", true},
    {"AZ", 28, "4!a20!c", false},          {"BA", 20, "3!n3!n8!n2!n", false},
    {"BE", 16, "3!n7!n2!n", true},         {"BG", 22, "4!a4!n2!n8!c", true},
    {"BH", 22, "4!a14!c", false},          {"BI", 27, "5!n5!n11!n2!n", false},
    {"BR", 29, "8!n5!n10!n1!a1!c", false}, {"BY", 28, "4!c4!n16!c", false},
    {"CH", 21, "5!n12!c", true},           {"CR", 22, "4!n14!n", false},
    {"CY", 28, "3!n5!n16!c", true},        {"CZ", 24, "4!n6!n10!n", true},
    {"DE", 22, "8!n10!n", true},           {"DJ", 27, "5!n5!n11!n2!n", false},
    {"DK", 18, "4!n9!n1!n", true},         {"DO", 28, "4!c20!n", false},
    {"EE", 20, "2!n2!n11!n1!n", true},     {"EG", 29, "4!n4!n17!n", false},
    {"ES", 24, "4!n4!n1!n1!n10!n", true},  {"FI", 18, "3!n11!n", true},
    {"FK", 18, "2!a12!n", false},          {"FO", 18, "4!n9!n1!n", false},
    {"FR", 27, "5!n5!n11!c2!n", true},     {"GB", 22, "4!a6!n8!n", true},
    {"GE", 22, "2!a16!n", false},          {"GI", 23, "4!a15!c", true},
    {"GL", 18, "4!n9!n1!n", false},        {"GR", 27, "3!n4!n16!c", true},
    {"GT", 28, "4!c20!c", false},          {"HR", 21, "7!n10!n", true},
    {"HU", 28, "3!n4!n1!n15!n1!n", true},  {"IE", 22, "4!a6!n8!n", true},
    {"IL", 23, "3!n3!n13!n", false},       {"IQ", 23, "4!a3!n12!n", false},
    {"IS", 26, "4!n2!n6!n10!n", true},     {"IT", 27, "1!a5!n5!n12!c", true},
    {"JO", 30, "4!a4!n18!c", false},       {"KW", 30, "4!a22!c", false},
    {"KZ", 20, "3!n13!c", false},          {"LB", 28, "4!n20!c", false},
    {"LC", 32, "4!a24!c", false},          {"LI", 21, "5!n12!c", true},
    {"LT", 20, "5!n11!n", true},           {"LU", 20, "3!n13!c", true},
    {"LV", 21, "4!a13!c", true},           {"LY", 25, "3!n3!n15!n", false},
    {"MC", 27, "5!n5!n11!c2!n", true},     {"MD", 24, "2!c18!c", true},
    {"ME", 22, "3!n13!n2!n", true},        {"MK", 19, "3!n10!c2!n", true},
    {"MN", 20, "4!n12!n", false},          {"MR", 27, "5!n5!n11!n2!n", false},
    {"MT", 31, "4!a5!n18!c", true},        {"MU", 30, "4!a2!n2!n12!n3!n3!a", false},
    {"NI", 28, "4!a20!n", false},          {"NL", 18, "4!a10!n", true},
    {"NO", 15, "4!n6!n1!n", true},         {"OM", 23, "3!n16!c", false},
    {"PK", 24, "4!a16!c", false},          {"PL", 28, "8!n16!n", true},
    {"PS", 29, "4!a21!c", false},          {"PT", 25, "4!n4!n11!n2!n", true},
    {"QA", 29, "4!a21!c", false},          {"RO", 24, "4!a16!c", true},
    {"RS", 22, "3!n13!n2!n", false},       {"RU", 33, "9!n5!n15!c", false},
    {"SA", 24, "2!n18!c", false},          {"SC", 31, "4!a2!n2!n16!n3!a", false},
    {"SD", 18, "2!n12!n", false},          {"SE", 24, "3!n16!n1!n", true},
    {"SI", 19, "5!n8!n2!n", true},         {"SK", 24, "4!n6!n10!n", true},
    {"SM", 27, "1!a5!n5!n12!c", true},     {"SO", 23, "4!n3!n12!n", false},
    {"ST", 25, "4!n4!n11!n2!n", false},    {"SV", 28, "4!a20!n", false},
    {"TL", 23, "3!n14!n2!n", false},       {"TN", 24, "2!n3!n13!n2!n", false},
    {"TR", 26, "5!n1!n16!c", false},       {"UA", 29, "6!n19!c", false},
    {"VA", 22, "3!n15!n", true},           {"VG", 24, "4!a16!n", false},
    {"XK", 20, "4!n10!n2!n", false},
};

constexpr std::size_t kCountryLength = 2;
constexpr std::size_t kCheckLength = 2;
constexpr std::size_t kBbanStart = kCountryLength + kCheckLength;
constexpr int kLowestCheck = 2;
constexpr int kHighestCheck = 98;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}

bool ofKind(char kind, char c) {
    switch (kind) {
    case 'n':
        return isDigit(c);
    case 'a':
        return isUpper(c);
    case 'c':
        return isDigit(c) || isUpper(c);
    default:
        return false;
    }
}

} // namespace

bool IbanRegistry::matches(std::string_view bbanNotation, std::string_view text) {
    std::size_t pos = 0;
    while (!bbanNotation.empty()) {
        std::size_t count = 0;
        std::size_t i = 0;
        for (; i < bbanNotation.size() && isDigit(bbanNotation[i]); ++i)
            count = count * 10 + static_cast<std::size_t>(bbanNotation[i] - '0');
        // Every group reads <count>!<kind>.
        if (i == 0 || i + 1 >= bbanNotation.size() || bbanNotation[i] != '!')
            return false;
        const char kind = bbanNotation[i + 1];
        bbanNotation.remove_prefix(i + 2);
        if (pos + count > text.size())
            return false;
        for (std::size_t k = 0; k < count; ++k) {
            if (!ofKind(kind, text[pos + k]))
                return false;
        }
        pos += count;
    }
    return pos == text.size();
}

const IbanRegistry::Country* IbanRegistry::find(std::string_view countryCode) {
    const auto it = std::lower_bound(
        std::begin(kCountries), std::end(kCountries), countryCode,
        [](const Country& country, std::string_view code) { return country.code < code; });
    return it != std::end(kCountries) && it->code == countryCode ? &*it : nullptr;
}

std::span<const IbanRegistry::Country> IbanRegistry::countries() {
    return kCountries;
}

IbanRegistry::Verdict IbanRegistry::check(std::string_view iban) {
    const Country* country = find(iban.substr(0, kCountryLength));
    if (!country)
        return Verdict::UnknownCountry;
    if (iban.size() != country->length)
        return Verdict::WrongLength;
    const std::string_view check = iban.substr(kCountryLength, kCheckLength);
    if (!isDigit(check[0]) || !isDigit(check[1]) ||
        !matches(country->bban, iban.substr(kBbanStart)))
        return Verdict::WrongFormat;
    const int checkDigits = (check[0] - '0') * 10 + (check[1] - '0');
    if (checkDigits < kLowestCheck || checkDigits > kHighestCheck)
        return Verdict::WrongCheckDigits;
    std::string rearranged(iban.substr(kBbanStart));
    rearranged += iban.substr(0, kBbanStart);
    return SepaIdentifiers::mod97(rearranged) == 1 ? Verdict::Valid : Verdict::WrongCheckDigits;
}

} // namespace paylib
