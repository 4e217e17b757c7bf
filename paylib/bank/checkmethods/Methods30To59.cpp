#include "paylib/bank/checkmethods/CheckMethod.h"
#include "paylib/bank/checkmethods/CheckMethodMath.h"
#include "paylib/bank/checkmethods/NumberedMethods.h"

#include <algorithm>
#include <array>

namespace paylib::checkmethods {
namespace {

constexpr std::array<int, 5> kWeights2To6 = {2, 3, 4, 5, 6};
constexpr std::array<int, 9> kWeights1To9 = {1, 2, 3, 4, 5, 6, 7, 8, 9};
constexpr std::array<int, 9> kWeights9To1 = {9, 8, 7, 6, 5, 4, 3, 2, 1};
constexpr std::array<int, 9> kWeights2To7Then2To4 = {2, 3, 4, 5, 6, 7, 2, 3, 4};
constexpr std::array<int, 9> kPowersOf2Mod11 = {2, 4, 8, 5, 10, 9, 7, 3, 6};
constexpr std::array<int, 9> kWeights30 = {2, 1, 2, 1, 0, 0, 0, 0, 2};
} // namespace

// Reused by other files (NumberedMethods.h).
// Modulus 11, weights 2..7 over positions 9..4, check digit at 10.
bool method32(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 4, kLastStemPosition, kWeights2To7, kCheckDigitPosition);
}

namespace {

// Modulus 10, weights 2,0,0,0,0,1,2,1,2 over positions 1..9, check digit at 10.
bool method30(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus10(account10, 1, kLastStemPosition, kWeights30, kCheckDigitPosition);
}

// Modulus 11, weights 9,8,...,1 over positions 9..1; the remainder is the check digit at 10.
bool method31(std::string_view /*bankCode*/, std::string_view account10) {
    return weightedSum(account10, 1, kLastStemPosition, kWeights9To1) % kModulus11 ==
           digit(account10, kCheckDigitPosition);
}

// Modulus 11, weights 2..6 over positions 9..5, check digit at 10.
bool method33(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 5, kLastStemPosition, kWeights2To6, kCheckDigitPosition);
}

// Modulus 11, weights 2,4,8,5,10,9,7 over positions 7..1, check digit at 8.
bool method34(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 1, 7, kPowersOf2Mod11, 8);
}

// Modulus 11, weights 2,4,8,5,10,9 over positions 9..4, check digit at 10.
bool method38(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 4, kLastStemPosition, kPowersOf2Mod11, kCheckDigitPosition);
}

// Modulus 11, weights 2,4,8,5,10,9,7,3,6 over positions 9..1, check digit at 10.
bool method40(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 1, kLastStemPosition, kPowersOf2Mod11, kCheckDigitPosition);
}

// As 00, but positions 1..3 are left out when position 4 is 9.
bool method41(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kMarkerPosition = 4;
    constexpr int kMarker = 9;
    const int first = digit(account10, kMarkerPosition) == kMarker ? kMarkerPosition : 1;
    return passesModulus10CrossSums(account10, first, kLastStemPosition, kWeights21,
                                    kCheckDigitPosition);
}

// Modulus 11, weights 2..9 over positions 9..2, check digit at 10.
bool method42(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 2, kLastStemPosition, kWeights2To9, kCheckDigitPosition);
}

// Modulus 10, weights 1..9 over positions 9..1, check digit at 10.
bool method43(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus10(account10, 1, kLastStemPosition, kWeights1To9, kCheckDigitPosition);
}

// Modulus 11, weights 2,4,8,5,10 over positions 9..5, check digit at 10.
bool method44(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 5, kLastStemPosition, kPowersOf2Mod11, kCheckDigitPosition);
}

// Modulus 11, weights 2..6 over positions 7..3, check digit at 8.
bool method46(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 3, 7, kWeights2To6, 8);
}

// Modulus 11, weights 2..6 over positions 8..4, check digit at 9.
bool method47(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 4, 8, kWeights2To6, 9);
}

// Modulus 11, weights 2..7 over positions 8..3, check digit at 9.
bool method48(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 3, 8, kWeights2To7, 9);
}

// As 00 (cross sums of 2,1,...), else as 01 (modulus 10, weights 3,7,1 over positions 9..1).
bool method49(std::string_view bankCode, std::string_view account10) {
    return method00(bankCode, account10) || method01(bankCode, account10);
}

// Modulus 11, weights 2..7 over positions 6..1, check digit at 7; failing that, the number
// moved three places left (a left-out sub-account 000): weights over 9..4, check digit at 10.
bool method50(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kShift = 3;
    constexpr int kCheckPosition = kCheckDigitPosition - kShift;
    if (passesModulus11(account10, 1, kCheckPosition - 1, kWeights2To7, kCheckPosition))
        return true;
    return passesModulus11(account10, 1 + kShift, kLastStemPosition, kWeights2To7,
                           kCheckDigitPosition);
}

// Modulus 11, weights 2,3,4,5,6,7,2,3,4 over positions 9..1, check digit at 10; check digits
// 10 and 11 fail, except for numbers starting with 9, where they become 7 and 8.
bool method56(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kCheckFor10 = 7;
    constexpr int kCheckFor11 = 8;
    const int check =
        kModulus11 -
        weightedSum(account10, 1, kLastStemPosition, kWeights2To7Then2To4) % kModulus11;
    int expected = check;
    if (check >= kModulus10) {
        if (digit(account10, 1) != 9)
            return false;
        expected = check == 10 ? kCheckFor10 : kCheckFor11;
    }
    return expected == digit(account10, kCheckDigitPosition);
}

// Method 57 picks its variant by the first two digits; 00 fails.
// Variant 1: modulus 10, weights 1,2,1,... over positions 9..1 (cross sums), check digit at
// 10; numbers starting with 777777 or 888888 pass unchecked.
bool method57Variant1(std::string_view account10) {
    return account10.starts_with("777777") || account10.starts_with("888888") ||
           passesModulus10CrossSums(account10, 1, kLastStemPosition, kWeights12,
                                    kCheckDigitPosition);
}

// Variant 2: modulus 10, weights 1,2,1,... over positions 1,2,4..10 (cross sums), check digit
// at 3.
bool method57Variant2(std::string_view account10) {
    constexpr int kCheckPosition = 3;
    const int sum = weightedCrossSum(account10, kCheckPosition + 1, kAccountDigits, kWeights12) +
                    weightedCrossSum(account10, 1, kCheckPosition - 1, kWeights21);
    return modulus10CheckDigit(sum) == digit(account10, kCheckPosition);
}

// Variant 4: positions 3-4 a month 01..12 and positions 7-9 below 500; 0185125434 passes.
bool method57Variant4(std::string_view account10) {
    constexpr int kLastMonth = 12;
    constexpr int kSerialLimit = 500;
    const int month = digitsAsNumber(account10, 3, 4);
    return account10 == "0185125434" ||
           (month >= 1 && month <= kLastMonth && digitsAsNumber(account10, 7, 9) < kSerialLimit);
}

bool method57(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kLastVariant4Prefix = 31;
    // Variant 3: these prefixes pass unchecked.
    constexpr std::array<int, 4> kUnchecked = {40, 50, 91, 99};
    constexpr std::array<int, 20> kVariant1 = {51, 55, 61, 64, 65, 66, 70, 73, 74, 75,
                                               76, 77, 78, 79, 80, 81, 82, 88, 94, 95};
    const int prefix = digitsAsNumber(account10, 1, 2);
    if (prefix == 0)
        return false;
    if (prefix <= kLastVariant4Prefix)
        return method57Variant4(account10);
    if (std::ranges::find(kUnchecked, prefix) != kUnchecked.end())
        return true;
    if (std::ranges::find(kVariant1, prefix) != kVariant1.end())
        return method57Variant1(account10);
    return method57Variant2(account10);
}

// As 00, but numbers of fewer than nine digits pass unchecked.
bool method59(std::string_view bankCode, std::string_view account10) {
    return account10.starts_with("00") || method00(bankCode, account10);
}

} // namespace

std::span<const NamedCheckMethod> methods30To59() {
    static constexpr std::array<NamedCheckMethod, 19> kMethods = {{
        {"30", method30}, {"31", method31}, {"32", method32}, {"33", method33}, {"34", method34},
        {"38", method38}, {"40", method40}, {"41", method41}, {"42", method42}, {"43", method43},
        {"44", method44}, {"46", method46}, {"47", method47}, {"48", method48}, {"49", method49},
        {"50", method50}, {"56", method56}, {"57", method57}, {"59", method59},
    }};
    return kMethods;
}

} // namespace paylib::checkmethods
