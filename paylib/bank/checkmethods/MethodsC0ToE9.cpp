#include "paylib/bank/checkmethods/CheckMethod.h"
#include "paylib/bank/checkmethods/CheckMethodMath.h"
#include "paylib/bank/checkmethods/NumberedMethods.h"
#include "paylib/bank/iban/CheckDigitVariants.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace paylib::checkmethods {
namespace {

namespace cd = paylib::iban::checkdigits;

bool digitBetween(std::string_view account10, int position, int lowest, int highest) {
    const int value = digit(account10, position);
    return value >= lowest && value <= highest;
}

// Method 07 (not in our tables): modulus 11, weights 2..10 over positions 9..1, remainder 1
// invalid.
bool method07Variant(std::string_view account10) {
    return passesModulus11(account10, 1, kLastStemPosition, kWeights2To10, kCheckDigitPosition,
                           RemainderOne::Invalid);
}

// Method 52 (not in our tables): the old account number is bank code positions 5..8, the
// account's positions 3 and 4 (the check digit at 4, sixth from the left) and its positions
// 5..10 without leading zeros, checked by passesOldSystemNumber.
bool method52Variant(std::string_view bankCode, std::string_view account10) {
    constexpr std::size_t kBranchDigits = 4;
    constexpr std::size_t kTypeAndCheckIndex = 2;
    constexpr std::size_t kTypeAndCheckDigits = 2;
    constexpr std::size_t kNumberIndex = kTypeAndCheckIndex + kTypeAndCheckDigits;
    std::string old(bankCode.substr(bankCode.size() - kBranchDigits));
    old += account10.substr(kTypeAndCheckIndex, kTypeAndCheckDigits);
    const std::string_view number = account10.substr(kNumberIndex);
    old += number.substr(std::min(number.find_first_not_of('0'), number.size()));
    return passesOldSystemNumber(old);
}

// Method 58 (not in our tables): modulus 11, weights 2..6 over positions 9..5, remainder 1
// invalid.
bool method58Variant(std::string_view account10) {
    constexpr int kFirst = 5;
    return passesModulus11(account10, kFirst, kLastStemPosition, kWeights2To10, kCheckDigitPosition,
                           RemainderOne::Invalid);
}

// Method 75 (not in our tables) for C5: modulus 10, weights 2,1,2,1,2 with cross sums over a
// five-digit stem followed by its check
// digit: positions 5..9 (check at 10) for 6-digit accounts, 2..6 (check 7) for 9-digit ones.
bool method75Variant(std::string_view account10, int firstStemPosition) {
    constexpr int kStemDigits = 5;
    const int last = firstStemPosition + kStemDigits - 1;
    return passesModulus10CrossSums(account10, firstStemPosition, last, kWeights21, last + 1);
}

// Accounts 00xxxxxxxx (eight digits): method 52 over the old account number, else method 20;
// all others: method 20.
bool methodC0(std::string_view bankCode, std::string_view account10) {
    constexpr int kOldAccountDigits = 8;
    return (significantDigits(account10) == kOldAccountDigits &&
            method52Variant(bankCode, account10)) ||
           method20(bankCode, account10);
}

// First digit 5: modulus 11 minus 1 over positions 1..9 (weights 1,2,... from the left), check
// at 10; otherwise method 17 (the same over positions 2..7 with the check digit at 8).
bool methodC1(std::string_view bankCode, std::string_view account10) {
    constexpr int kWholeAccountMark = 5;
    if (digit(account10, 1) == kWholeAccountMark)
        return passesModulus11MinusOne(account10, 1, kLastStemPosition, kCheckDigitPosition);
    return method17(bankCode, account10);
}

// Method 22 (the products' ones digits, weights 3,1), else method 00.
bool methodC2(std::string_view bankCode, std::string_view account10) {
    return method22(bankCode, account10) || method00(bankCode, account10);
}

// First digit 9: modulus 11 over positions 9..5 (method 58); otherwise method 00.
bool methodC3(std::string_view bankCode, std::string_view account10) {
    constexpr int kSecondVariantMark = 9;
    return digit(account10, 1) == kSecondVariantMark ? method58Variant(account10)
                                                     : method00(bankCode, account10);
}

// Ten-digit accounts of method C5: 70 and 85 unchecked, 3 method 00, 1, 4, 5, 6, 9 method 29.
bool methodC5TenDigits(std::string_view bankCode, std::string_view account10) {
    constexpr std::array<int, 2> kUncheckedPrefixes = {70, 85};
    constexpr int kMethod00Start = 3;
    constexpr std::array<int, 5> kTransformationStarts = {1, 4, 5, 6, 9};
    if (std::ranges::find(kUncheckedPrefixes, digitsAsNumber(account10, 1, 2)) !=
        kUncheckedPrefixes.end())
        return true;
    const int first = digit(account10, 1);
    if (first == kMethod00Start)
        return method00(bankCode, account10);
    return std::ranges::find(kTransformationStarts, first) != kTransformationStarts.end() &&
           method29(bankCode, account10);
}

// By the account's shape: 6-digit accounts with 1..8 at position 5 and 9-digit ones with 1..8
// at position 2 use method 75; ten digits starting 1, 4, 5, 6 or 9 the iterated transformation
// (method 29), starting 3 method 00; 8-digit accounts starting 3..5 and ten digits starting 70
// or 85 carry no check digit; everything else is invalid.
bool methodC5(std::string_view bankCode, std::string_view account10) {
    constexpr int kSixDigits = 6;
    constexpr int kEightDigits = 8;
    constexpr int kNineDigits = 9;
    constexpr int kSixDigitStem = 5;
    constexpr int kNineDigitStem = 2;
    constexpr int kHighestStemStart = 8;
    constexpr int kEightDigitStart = 3;
    constexpr int kLowestUncheckedStart = 3;
    constexpr int kHighestUncheckedStart = 5;
    switch (significantDigits(account10)) {
    case kSixDigits:
        return digitBetween(account10, kSixDigitStem, 1, kHighestStemStart) &&
               method75Variant(account10, kSixDigitStem);
    case kNineDigits:
        return digitBetween(account10, kNineDigitStem, 1, kHighestStemStart) &&
               method75Variant(account10, kNineDigitStem);
    case kEightDigits:
        return digitBetween(account10, kEightDigitStart, kLowestUncheckedStart,
                            kHighestUncheckedStart);
    case kAccountDigits:
        return methodC5TenDigits(bankCode, account10);
    default:
        return false;
    }
}

// Method 63 (with its exception), else method 06.
bool methodC7(std::string_view /*bankCode*/, std::string_view account10) {
    return cd::methodC7(account10);
}

// Method 00, else modulus 11 with weights 2..7 (method 04), else weights 2..10 (method 07).
bool methodC8(std::string_view bankCode, std::string_view account10) {
    return method00(bankCode, account10) || method04(bankCode, account10) ||
           method07Variant(account10);
}

// Method 00, else modulus 11 with weights 2..10 (method 07).
bool methodC9(std::string_view bankCode, std::string_view account10) {
    return method00(bankCode, account10) || method07Variant(account10);
}

// Accounts starting 57 carry no check digit; all others method 20.
bool methodD0(std::string_view bankCode, std::string_view account10) {
    constexpr int kUncheckedPrefix = 57;
    return digitsAsNumber(account10, 1, 2) == kUncheckedPrefix || method20(bankCode, account10);
}

// Method 95, else method 00, else method 68.
bool methodD2(std::string_view bankCode, std::string_view account10) {
    return method95(bankCode, account10) || method00(bankCode, account10) ||
           method68(bankCode, account10);
}

// Method 07, else modulus 10 with plain products (method 03), else method 00.
bool methodD6(std::string_view bankCode, std::string_view account10) {
    return method07Variant(account10) || method03(bankCode, account10) ||
           method00(bankCode, account10);
}

// Weights 2,1,2,... over positions 9..1 with cross sums; the check digit at 10 is the sum's
// ones digit.
bool methodD7(std::string_view /*bankCode*/, std::string_view account10) {
    return weightedCrossSum(account10, 1, kLastStemPosition, kWeights21) % kModulus10 ==
           digit(account10, kCheckDigitPosition);
}

// Ten-digit accounts use method 00; eight-digit ones (0010000000..0099999999) carry no check
// digit; all others are invalid.
bool methodD8(std::string_view bankCode, std::string_view account10) {
    constexpr int kUncheckedDigits = 8;
    const int length = significantDigits(account10);
    return length == kAccountDigits ? method00(bankCode, account10) : length == kUncheckedDigits;
}

// Method 00, else modulus 11 with weights 2..10 (method 10), else weights 3,9,7,1 (method 18).
bool methodD9(std::string_view bankCode, std::string_view account10) {
    return method00(bankCode, account10) || method10(bankCode, account10) ||
           method18(bankCode, account10);
}

// As method 00 with 7 added to the sum.
bool methodE0(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kAddend = 7;
    return modulus10CheckDigit(weightedCrossSum(account10, 1, kLastStemPosition, kWeights21) +
                               kAddend) == digit(account10, kCheckDigitPosition);
}

// Method 00, else the repeated cross sum of method 21.
bool methodE3(std::string_view bankCode, std::string_view account10) {
    return method00(bankCode, account10) || method21(bankCode, account10);
}

} // namespace

std::span<const NamedCheckMethod> methodsC0ToE9() {
    static constexpr std::array<NamedCheckMethod, 16> kMethods = {{
        {"C0", methodC0},
        {"C1", methodC1},
        {"C2", methodC2},
        {"C3", methodC3},
        {"C5", methodC5},
        {"C7", methodC7},
        {"C8", methodC8},
        {"C9", methodC9},
        {"D0", methodD0},
        {"D2", methodD2},
        {"D6", methodD6},
        {"D7", methodD7},
        {"D8", methodD8},
        {"D9", methodD9},
        {"E0", methodE0},
        {"E3", methodE3},
    }};
    return kMethods;
}

} // namespace paylib::checkmethods
