#include "paylib/sepa/SepaIdentifiers.h"

#include "paylib/bank/IbanRegistry.h"

#include <algorithm>
#include <cstdint>

namespace paylib {
namespace {

constexpr int kModulus = 97;
constexpr int kCheckBase = 98;
constexpr int kLetterBase = 10;
constexpr std::size_t kCountryLength = 2;
constexpr std::size_t kCheckLength = 2;
constexpr std::size_t kShortBic = 8;
constexpr std::size_t kLongBic = 11;
constexpr std::size_t kBusinessCodeLength = 3;
constexpr std::size_t kCreditorIdPrefix = kCountryLength + kCheckLength + kBusinessCodeLength;
constexpr std::size_t kMaxCreditorIdLength = 35;
constexpr std::size_t kGermanCreditorIdLength = 18;
constexpr std::string_view kGermany = "DE";
constexpr std::string_view kZeroCheck = "00";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isUpper(char c) {
    return c >= 'A' && c <= 'Z';
}
bool isUpperAlnum(char c) {
    return isDigit(c) || isUpper(c);
}

template <typename Pred> bool allOf(std::string_view text, Pred pred) {
    return std::all_of(text.begin(), text.end(), pred);
}

std::string checkDigits(int remainder) {
    const int check = kCheckBase - remainder;
    return {static_cast<char>('0' + check / 10), static_cast<char>('0' + check % 10)};
}

} // namespace

int SepaIdentifiers::mod97(std::string_view text) {
    // Digits are gathered in 64 bits and reduced once per run of up to 16 of them.
    constexpr int kDigitsPerStep = 16;
    std::uint64_t remainder = 0;
    int gathered = 0;
    for (char c : text) {
        if (isDigit(c)) {
            remainder = remainder * 10 + static_cast<std::uint64_t>(c - '0');
            if (++gathered == kDigitsPerStep) {
                remainder %= kModulus;
                gathered = 0;
            }
            continue;
        }
        remainder %= kModulus;
        gathered = 0;
        int value = 0;
        if (isUpper(c))
            value = c - 'A' + kLetterBase;
        else if (c >= 'a' && c <= 'z')
            value = c - 'a' + kLetterBase;
        else
            return -1;
        remainder = (remainder * 100 + static_cast<std::uint64_t>(value)) % kModulus;
    }
    return static_cast<int>(remainder % kModulus);
}

std::string SepaIdentifiers::germanIban(std::string_view bankCode, std::string_view account) {
    // Built in place: "DE", check digits, bank code, account padded; the check digits are
    // computed over the bank code and account followed by "DE00".
    std::string iban(kGermany);
    iban += kZeroCheck;
    iban += bankCode;
    iban.append(kGermanAccountDigits - std::min(account.size(), kGermanAccountDigits), '0');
    iban += account;
    const std::string_view bban = std::string_view(iban).substr(kCountryLength + kCheckLength);
    int remainder = mod97(bban);
    for (char c : {kGermany[0], kGermany[1]})
        remainder = (remainder * 100 + (c - 'A' + kLetterBase)) % kModulus;
    remainder = remainder * 100 % kModulus;
    const std::string check = checkDigits(remainder);
    iban[kCountryLength] = check[0];
    iban[kCountryLength + 1] = check[1];
    return iban;
}

bool SepaIdentifiers::isValidIban(std::string_view iban) {
    const IbanRegistry::Country* country = IbanRegistry::find(iban.substr(0, kCountryLength));
    return country && country->sepa && IbanRegistry::check(iban) == IbanRegistry::Verdict::Valid;
}

bool SepaIdentifiers::isValidBic(std::string_view bic) {
    if (bic.size() != kShortBic && bic.size() != kLongBic)
        return false;
    return allOf(bic.substr(0, 4), isUpperAlnum) && allOf(bic.substr(4, 2), isUpper) &&
           allOf(bic.substr(6), isUpperAlnum);
}

bool SepaIdentifiers::isValidCreditorId(std::string_view id) {
    if (id.size() <= kCreditorIdPrefix || id.size() > kMaxCreditorIdLength ||
        !allOf(id.substr(0, kCountryLength), isUpper) ||
        !allOf(id.substr(kCountryLength, kCheckLength), isDigit) ||
        !allOf(id.substr(kCountryLength + kCheckLength, kBusinessCodeLength), isUpperAlnum) ||
        !allOf(id.substr(kCreditorIdPrefix), isUpperAlnum))
        return false;
    const std::string_view country = id.substr(0, kCountryLength);
    const std::string_view national = id.substr(kCreditorIdPrefix);
    if (country == kGermany && (id.size() != kGermanCreditorIdLength || !allOf(national, isDigit)))
        return false;
    const int remainder =
        mod97(std::string(national) + std::string(country) + std::string(kZeroCheck));
    return checkDigits(remainder) == id.substr(kCountryLength, kCheckLength);
}

} // namespace paylib
