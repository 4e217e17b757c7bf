#include "paylib/bank/checkmethods/CheckMethod.h"
#include "paylib/bank/checkmethods/CheckMethodMath.h"
#include "paylib/bank/iban/CheckDigitVariants.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace paylib::checkmethods {
namespace {

constexpr int kRemainderOne = 1;
// Numbers with a two-digit sub-account: positions 1..7, check digit at 8.
constexpr int kLastStemBeforeSubAccount = 7;
// Method 25's work digit.
constexpr int kWorkDigitPosition = 2;

constexpr std::array<int, 3> kWeights731 = {7, 3, 1};
constexpr std::array<int, 4> kWeights3971 = {3, 9, 7, 1};
constexpr std::array<int, 2> kWeights31 = {3, 1};
constexpr std::array<int, 9> kWeights06 = {2, 3, 4, 5, 6, 7, 2, 3, 4};
constexpr std::array<int, 9> kWeights19 = {2, 3, 4, 5, 6, 7, 8, 9, 1};
constexpr std::array<int, 9> kWeights20 = {2, 3, 4, 5, 6, 7, 8, 9, 3};
constexpr std::array<int, 7> kWeights26 = {2, 3, 4, 5, 6, 7, 2};

int checkDigit(std::string_view account10) {
    return digit(account10, kCheckDigitPosition);
}

// Modulus 11 over positions 9..`first` where remainder 1 has its own rule; check digit at 10.
bool modulus11PassesOrRemainderOneRule(std::string_view account10, int first,
                                       std::span<const int> weights,
                                       bool (*passesOnRemainderOne)(std::string_view account10)) {
    const int sum = weightedSum(account10, first, kLastStemPosition, weights);
    if (sum % kModulus11 == kRemainderOne)
        return passesOnRemainderOne(account10);
    return modulus11CheckDigit(sum) == checkDigit(account10);
}

} // namespace

// The methods other files reuse (NumberedMethods.h).

// Modulus 10, weights 2,1,2,1,... over positions 9..1, cross sums; check digit at 10.
bool method00(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus10CrossSums(account10, 1, kLastStemPosition, kWeights21,
                                    kCheckDigitPosition);
}

// Modulus 10, weights 3,7,1,3,7,1,... over positions 9..1; check digit at 10.
bool method01(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus10(account10, 1, kLastStemPosition, kWeights371, kCheckDigitPosition);
}

// Modulus 10, weights 2,1,2,1,... over positions 9..1 without cross sums; check digit at 10.
bool method03(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus10(account10, 1, kLastStemPosition, kWeights21, kCheckDigitPosition);
}

// Not in our table on its own (NumberedMethods.h says who uses it).
bool method04(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 1, kLastStemPosition, kWeights2To7, kCheckDigitPosition,
                           RemainderOne::Invalid);
}

// Modulus 10, weights 7,3,1,7,3,1,... over positions 9..1; check digit at 10.
bool method05(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus10(account10, 1, kLastStemPosition, kWeights731, kCheckDigitPosition);
}

// Modulus 11, weights 2..10 over positions 9..1 as 06; check digit at 10.
bool method10(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 1, kLastStemPosition, kWeights2To10, kCheckDigitPosition);
}

// Modulus 11 "minus 1" (weights 1,2,1,2,1,2, cross sums) over positions 2..7; check digit at 8.
bool method17(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kFirst = 2;
    return passesModulus11MinusOne(account10, kFirst, kLastStemBeforeSubAccount,
                                   kLastStemBeforeSubAccount + 1);
}

// Modulus 10, weights 3,9,7,1,3,9,7,1,3 over positions 9..1; check digit at 10.
bool method18(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus10(account10, 1, kLastStemPosition, kWeights3971, kCheckDigitPosition);
}

// Modulus 11, weights 2,3,4,5,6,7,8,9,3 over positions 9..1 as 06; check digit at 10.
bool method20(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 1, kLastStemPosition, kWeights20, kCheckDigitPosition);
}

// Modulus 10, weights 2,1,2,1,... over positions 9..1 with cross sums; the sum is reduced to a
// single digit by repeated cross sums, 10 minus that is the check digit at 10.
bool method21(std::string_view /*bankCode*/, std::string_view account10) {
    int sum = weightedCrossSum(account10, 1, kLastStemPosition, kWeights21);
    while (sum >= kModulus10)
        sum = crossSum(sum);
    return kModulus10 - sum == checkDigit(account10);
}

// Modulus 10, weights 3,1,3,1,... over positions 9..1, only each product's unit digit counts;
// check digit at 10.
bool method22(std::string_view /*bankCode*/, std::string_view account10) {
    int sum = 0;
    std::size_t w = 0;
    for (int position = kLastStemPosition; position >= 1; --position) {
        sum += digit(account10, position) * kWeights31[w] % kModulus10;
        w = (w + 1) % kWeights31.size();
    }
    return modulus10CheckDigit(sum) == checkDigit(account10);
}

// Iterated transformation: position 9 through row 1, 8 through row 2, ..., rows repeating;
// modulus 10 of the sum, check digit at 10.
bool method29(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr std::array<std::array<int, 10>, 4> kRows = {{
        {0, 1, 5, 9, 3, 7, 4, 8, 2, 6},
        {0, 1, 7, 6, 9, 8, 3, 2, 5, 4},
        {0, 1, 8, 4, 6, 2, 9, 5, 7, 3},
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
    }};
    int sum = 0;
    std::size_t row = 0;
    for (int position = kLastStemPosition; position >= 1; --position) {
        sum += kRows[row][static_cast<std::size_t>(digit(account10, position))];
        row = (row + 1) % kRows.size();
    }
    return modulus10CheckDigit(sum) == checkDigit(account10);
}

namespace {

// Modulus 11, weights 2,3,4,5,6,7,2,3,4 over positions 9..1; check digit at 10.
bool method06(std::string_view /*bankCode*/, std::string_view account10) {
    return iban::checkdigits::method06(account10);
}

// As 00, for account numbers from 60000 on; smaller ones are not checked.
bool method08(std::string_view bankCode, std::string_view account10) {
    constexpr std::string_view kFirstChecked = "0000060000";
    return account10 < kFirstChecked || method00(bankCode, account10);
}

// As 10, but remainder 1 gives check digit 9.
bool method11(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kCheckDigitOnRemainderOne = 9;
    return modulus11PassesOrRemainderOneRule(
        account10, 1, kWeights2To10,
        [](std::string_view account) { return checkDigit(account) == kCheckDigitOnRemainderOne; });
}

// Modulus 10, weights 2,1,2,1,2,1 over positions 7..2 with cross sums, check digit at 8,
// positions 9-10 a sub-account; else the same with the number moved left by two ("00" appended).
bool method13(std::string_view /*bankCode*/, std::string_view account10) {
    return iban::checkdigits::method13(account10);
}

// As 06 (remainder 1 gives check digit 0); on remainder 1 the number also passes when
// positions 9 and 10 hold the same digit.
bool method16(std::string_view /*bankCode*/, std::string_view account10) {
    return modulus11PassesOrRemainderOneRule(
        account10, 1, kWeights06, [](std::string_view account) {
            return checkDigit(account) == 0 ||
                   digit(account, kLastStemPosition) == checkDigit(account);
        });
}

// Modulus 11, weights 2,3,4,5,6,7,8,9,1 over positions 9..1 as 06; check digit at 10.
bool method19(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 1, kLastStemPosition, kWeights19, kCheckDigitPosition);
}

// Where method 24's weights start: account type 9 takes positions 1-3 and the stem must start
// at 4 (nullopt otherwise); types 3..6 take position 1; then leading zeros are skipped.
std::optional<int> method24FirstPosition(std::string_view account10) {
    constexpr int kShortTypeFirst = 3;
    constexpr int kShortTypeLast = 6;
    constexpr int kLongType = 9;
    constexpr int kShortTypeDigits = 1;
    constexpr int kLongTypeDigits = 3;
    const int type = digit(account10, 1);
    if (type == kLongType) {
        constexpr int kStemStart = kLongTypeDigits + 1;
        if (digit(account10, kStemStart) == 0)
            return std::nullopt;
        return kStemStart;
    }
    int first = type >= kShortTypeFirst && type <= kShortTypeLast ? kShortTypeDigits + 1 : 1;
    while (first <= kLastStemPosition && digit(account10, first) == 0)
        ++first;
    return first;
}

// Position 1 counts as 0 when it is 3..6; from the first non-zero digit to position 9, weights
// 1,2,3,1,2,3,... from the left. Position 1 = 9: positions 1-3 count as 0, the weights start at
// position 4, which must not be 0. Each product plus its weight is taken modulo 11, the sum of
// those modulo 10 is the check digit at 10.
bool method24(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr std::array<int, 3> kWeights = {1, 2, 3};
    const std::optional<int> first = method24FirstPosition(account10);
    if (!first)
        return false;
    int sum = 0;
    std::size_t w = 0;
    for (int position = *first; position <= kLastStemPosition; ++position) {
        sum += (digit(account10, position) * kWeights[w] + kWeights[w]) % kModulus11;
        w = (w + 1) % kWeights.size();
    }
    return sum % kModulus10 == checkDigit(account10);
}

// Modulus 11, weights 2..9 over positions 9..2; check digit at 10. Remainder 1 gives check
// digit 0, valid only with 8 or 9 at position 2 (the work digit).
bool method25(std::string_view /*bankCode*/, std::string_view account10) {
    return modulus11PassesOrRemainderOneRule(
        account10, kWorkDigitPosition, kWeights2To9, [](std::string_view account) {
            constexpr int kLowestWorkDigit = 8;
            return checkDigit(account) == 0 &&
                   digit(account, kWorkDigitPosition) >= kLowestWorkDigit;
        });
}

// Numbers starting with 00 are moved left by two first. Modulus 11, weights 2,3,4,5,6,7,2 over
// positions 7..1 as 06, check digit at 8, positions 9-10 a sub-account.
bool method26(std::string_view /*bankCode*/, std::string_view account10) {
    const std::string moved = account10.starts_with("00")
                                  ? iban::checkdigits::withSubAccount(account10)
                                  : std::string(account10);
    return passesModulus11(moved, 1, kLastStemBeforeSubAccount, kWeights26,
                           kLastStemBeforeSubAccount + 1);
}

// As 00 for numbers up to 999999999, the iterated transformation of 29 for ten-digit ones.
bool method27(std::string_view bankCode, std::string_view account10) {
    return digit(account10, 1) == 0 ? method00(bankCode, account10) : method29(bankCode, account10);
}

// Modulus 11, weights 2..8 over positions 7..1 as 06, check digit at 8, positions 9-10 a
// sub-account.
bool method28(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 1, kLastStemBeforeSubAccount, kWeights2To8,
                           kLastStemBeforeSubAccount + 1);
}

} // namespace

std::span<const NamedCheckMethod> methods00To29() {
    static constexpr std::array kMethods = std::to_array<NamedCheckMethod>({
        {"00", method00}, {"01", method01}, {"03", method03}, {"05", method05}, {"06", method06},
        {"08", method08}, {"10", method10}, {"11", method11}, {"13", method13}, {"16", method16},
        {"17", method17}, {"18", method18}, {"19", method19}, {"20", method20}, {"21", method21},
        {"22", method22}, {"24", method24}, {"25", method25}, {"26", method26}, {"27", method27},
        {"28", method28}, {"29", method29},
    });
    return kMethods;
}

} // namespace paylib::checkmethods
