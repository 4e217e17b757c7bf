#include "paylib/bank/checkmethods/CheckMethod.h"
#include "paylib/bank/checkmethods/CheckMethodMath.h"
#include "paylib/bank/iban/CheckDigitVariants.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>

namespace paylib::checkmethods {
namespace {

namespace cd = paylib::iban::checkdigits;

constexpr int kModulus10 = 10;
constexpr int kModulus11 = 11;
constexpr int kCheckPosition = kAccountDigits;
constexpr int kLastStemPosition = kAccountDigits - 1;

constexpr std::array<int, 2> kWeights21 = {2, 1};
constexpr std::array<int, 2> kWeights31 = {3, 1};
constexpr std::array<int, 4> kWeights3971 = {3, 9, 7, 1};
constexpr std::array<int, 6> kWeights2To7 = {2, 3, 4, 5, 6, 7};
constexpr std::array<int, 9> kWeights2To10 = {2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr std::array<int, 9> kWeights2To9Then3 = {2, 3, 4, 5, 6, 7, 8, 9, 3};
constexpr std::array<int, 5> kWeights2To6 = {2, 3, 4, 5, 6};

// The number the account's digits form between two positions (inclusive).
long long digitsBetween(std::string_view account10, int first, int last) {
    long long value = 0;
    for (int position = first; position <= last; ++position)
        value = value * kModulus10 + digit(account10, position);
    return value;
}

bool accountBetween(std::string_view account10, long long lowest, long long highest) {
    const long long value = digitsBetween(account10, 1, kAccountDigits);
    return value >= lowest && value <= highest;
}

bool digitBetween(std::string_view account10, int position, int lowest, int highest) {
    const int value = digit(account10, position);
    return value >= lowest && value <= highest;
}

// The account's length without its leading zeros.
int significantDigits(std::string_view account10) {
    const std::size_t firstNonZero = account10.find_first_not_of('0');
    return firstNonZero == std::string_view::npos ? 0
                                                  : kAccountDigits - static_cast<int>(firstNonZero);
}

// The index into a repeating table for a position counted from position 9 leftwards.
std::size_t cycleIndex(int position, std::size_t cycle) {
    return static_cast<std::size_t>(kLastStemPosition - position) % cycle;
}

// Modulus 10 over positions first..last with the products' cross sums, check digit at `check`.
bool modulus10CrossSumPasses(std::string_view account10, int first, int last, int check,
                             std::span<const int> weights) {
    return modulus10CheckDigit(weightedCrossSum(account10, first, last, weights)) ==
           digit(account10, check);
}

// Modulus 10 over positions 1..9 with the plain products, check digit at 10.
bool modulus10PlainPasses(std::string_view account10, std::span<const int> weights) {
    return modulus10CheckDigit(weightedSum(account10, 1, kLastStemPosition, weights)) ==
           digit(account10, kCheckPosition);
}

// What a remainder of 1 (check digit 10) means for a modulus 11 method.
enum class Remainder1 { CheckDigit0, Invalid };

// Modulus 11 over positions first..9, check digit at 10.
bool modulus11Passes(std::string_view account10, int first, std::span<const int> weights,
                     Remainder1 remainder1) {
    const int sum = weightedSum(account10, first, kLastStemPosition, weights);
    if (remainder1 == Remainder1::Invalid && sum % kModulus11 == 1)
        return false;
    return modulus11CheckDigit(sum) == digit(account10, kCheckPosition);
}

// Modulus 11, weights 1,2,1,2,... from position `first` with cross sums, minus 1; the check
// digit is 10 minus the remainder (0 for remainder 0); an all-zero stem never passes.
bool modulus11Minus1Passes(std::string_view account10, int first, int last, int check) {
    constexpr std::array<int, 2> kWeights12 = {1, 2};
    const bool evenCount = (last - first) % 2 == 1;
    const int sum = weightedCrossSum(account10, first, last, evenCount ? kWeights21 : kWeights12);
    if (sum == 0)
        return false;
    return (kModulus10 - (sum - 1) % kModulus11) % kModulus10 == digit(account10, check);
}

// Modulus 10, weights 2,1,2,... over positions 9..1, cross sums; check digit at 10.
bool method00Variant(std::string_view account10) {
    return modulus10CrossSumPasses(account10, 1, kLastStemPosition, kCheckPosition, kWeights21);
}

// Modulus 10, weights 2,1,2,... over positions 9..1, plain products; check digit at 10.
bool method03Variant(std::string_view account10) {
    return modulus10PlainPasses(account10, kWeights21);
}

// Modulus 11, weights 2..7 repeating over positions 9..1; remainder 1 is invalid.
bool method04Variant(std::string_view account10) {
    return modulus11Passes(account10, 1, kWeights2To7, Remainder1::Invalid);
}

// Modulus 11, weights 2..10 over positions 9..1; remainder 1 is invalid.
bool method07Variant(std::string_view account10) {
    return modulus11Passes(account10, 1, kWeights2To10, Remainder1::Invalid);
}

// Modulus 11, weights 2..10 over positions 9..1; remainder 1 gives check digit 0.
bool method10Variant(std::string_view account10) {
    return modulus11Passes(account10, 1, kWeights2To10, Remainder1::CheckDigit0);
}

// Modulus 10, weights 3,9,7,1 repeating over positions 9..1, plain products.
bool method18Variant(std::string_view account10) {
    return modulus10PlainPasses(account10, kWeights3971);
}

// Modulus 11, weights 2,3,4,5,6,7,8,9,3 over positions 9..1; remainder 1 gives check digit 0.
bool method20Variant(std::string_view account10) {
    return modulus11Passes(account10, 1, kWeights2To9Then3, Remainder1::CheckDigit0);
}

// Modulus 10, weights 2,1,2,... over positions 9..1, cross sums; the sum is reduced to one
// digit by repeated cross sums, the check digit is 10 minus that digit.
bool method21Variant(std::string_view account10) {
    int sum = weightedCrossSum(account10, 1, kLastStemPosition, kWeights21);
    while (sum >= kModulus10)
        sum = crossSum(sum);
    return modulus10CheckDigit(sum) == digit(account10, kCheckPosition);
}

// Modulus 10, weights 3,1,3,... over positions 9..1, only each product's ones digit counts.
bool method22Variant(std::string_view account10) {
    int sum = 0;
    for (int position = kLastStemPosition; position >= 1; --position)
        sum += digit(account10, position) * kWeights31[cycleIndex(position, kWeights31.size())] %
               kModulus10;
    return modulus10CheckDigit(sum) == digit(account10, kCheckPosition);
}

// Iterated transformation: position 9 uses row 1, 8 row 2, 7 row 3, 6 row 4, 5 row 1 and so
// on; the check digit at 10 is 10 minus the ones digit of the transformed digits' sum.
bool method29Variant(std::string_view account10) {
    constexpr std::array<std::array<int, kModulus10>, 4> kRows = {{
        {0, 1, 5, 9, 3, 7, 4, 8, 2, 6},
        {0, 1, 7, 6, 9, 8, 3, 2, 5, 4},
        {0, 1, 8, 4, 6, 2, 9, 5, 7, 3},
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
    }};
    int sum = 0;
    for (int position = kLastStemPosition; position >= 1; --position)
        sum += kRows[cycleIndex(position, kRows.size())]
                    [static_cast<std::size_t>(digit(account10, position))];
    return modulus10CheckDigit(sum) == digit(account10, kCheckPosition);
}

// Modulus 11 over the old account number: bank code positions 5..8, the account's positions 3
// and 4 (the check digit at 4, sixth from the left) and its positions 5..10 without leading
// zeros; weights 2,4,8,5,10,9,7,3,6,1,2,4 from the right. Passes when the sum leaves 10.
bool method52Variant(std::string_view bankCode, std::string_view account10) {
    constexpr std::array<int, 12> kWeights = {2, 4, 8, 5, 10, 9, 7, 3, 6, 1, 2, 4};
    constexpr std::size_t kBranchDigits = 4;
    constexpr std::size_t kTypeAndCheckIndex = 2;
    constexpr std::size_t kTypeAndCheckDigits = 2;
    constexpr std::size_t kNumberIndex = kTypeAndCheckIndex + kTypeAndCheckDigits;
    constexpr int kPassingRemainder = 10;
    std::string old(bankCode.substr(bankCode.size() - kBranchDigits));
    old += account10.substr(kTypeAndCheckIndex, kTypeAndCheckDigits);
    const std::string_view number = account10.substr(kNumberIndex);
    old += number.substr(std::min(number.find_first_not_of('0'), number.size()));
    int sum = 0;
    for (std::size_t i = 0; i < old.size(); ++i)
        sum += (old[i] - '0') * kWeights[old.size() - 1 - i];
    return sum % kModulus11 == kPassingRemainder;
}

// Modulus 11, weights 2..6 over positions 9..5; remainder 1 is invalid.
bool method58Variant(std::string_view account10) {
    return modulus11Passes(account10, 5, kWeights2To6, Remainder1::Invalid);
}

// Modulus 10, weights 2,1,2,... with cross sums. Ten-digit accounts need a 9 at position 4
// and are checked over positions 4..9; 9-digit accounts 4xxxxxxxx carry no check digit; the
// others pass over positions 1..9, or with positions 3 and 4 left out.
bool method68Variant(std::string_view account10) {
    constexpr int kTenDigitMarkPosition = 4;
    constexpr int kTenDigitMark = 9;
    constexpr int kUncheckedLeadingDigit = 4;
    constexpr std::array<int, 9> kWithout3And4 = {2, 1, 2, 1, 2, 0, 0, 1, 2};
    if (digit(account10, 1) != 0)
        return digit(account10, kTenDigitMarkPosition) == kTenDigitMark &&
               modulus10CrossSumPasses(account10, kTenDigitMarkPosition, kLastStemPosition,
                                       kCheckPosition, kWeights21);
    if (digit(account10, 2) == kUncheckedLeadingDigit)
        return true;
    return method00Variant(account10) ||
           modulus10CrossSumPasses(account10, 1, kLastStemPosition, kCheckPosition, kWithout3And4);
}

// Modulus 10, weights 2,1,2,1,2 with cross sums over a five-digit stem followed by its check
// digit: positions 5..9 (check at 10) for 6-digit accounts, 2..6 (check 7) for 9-digit ones.
bool method75Variant(std::string_view account10, int firstStemPosition) {
    constexpr int kStemDigits = 5;
    const int last = firstStemPosition + kStemDigits - 1;
    return modulus10CrossSumPasses(account10, firstStemPosition, last, last + 1, kWeights21);
}

// Modulus 11, weights 2..7 over positions 9..1 (as method 06), except for ranges without a
// check digit.
bool method95Variant(std::string_view account10) {
    constexpr std::array<std::array<long long, 2>, 5> kUnchecked = {{
        {1, 1'999'999},
        {9'000'000, 25'999'999},
        {396'000'000, 499'999'999},
        {700'000'000, 799'999'999},
        {910'000'000, 989'999'999},
    }};
    for (const auto& [lowest, highest] : kUnchecked)
        if (accountBetween(account10, lowest, highest))
            return true;
    return cd::method06(account10);
}

// Accounts 00xxxxxxxx (eight digits): method 52 over the old account number, else method 20;
// all others: method 20.
bool methodC0(std::string_view bankCode, std::string_view account10) {
    constexpr int kOldAccountDigits = 8;
    return (significantDigits(account10) == kOldAccountDigits &&
            method52Variant(bankCode, account10)) ||
           method20Variant(account10);
}

// First digit 5: modulus 11 minus 1 over positions 1..9 (weights 1,2,... from the left), check
// at 10; otherwise the same over positions 2..7 with the check digit at 8.
bool methodC1(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kWholeAccountMark = 5;
    if (digit(account10, 1) == kWholeAccountMark)
        return modulus11Minus1Passes(account10, 1, kLastStemPosition, kCheckPosition);
    constexpr int kStemLast = 7;
    return modulus11Minus1Passes(account10, 2, kStemLast, kStemLast + 1);
}

// Modulus 10 with the products' ones digits (weights 3,1), else method 00.
bool methodC2(std::string_view /*bankCode*/, std::string_view account10) {
    return method22Variant(account10) || method00Variant(account10);
}

// First digit 9: modulus 11 over positions 9..5 (method 58); otherwise method 00.
bool methodC3(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kSecondVariantMark = 9;
    return digit(account10, 1) == kSecondVariantMark ? method58Variant(account10)
                                                     : method00Variant(account10);
}

// Ten-digit accounts of method C5: 70 and 85 unchecked, 3 method 00, 1, 4, 5, 6, 9 method 29.
bool methodC5TenDigits(std::string_view account10) {
    constexpr std::array<long long, 2> kUncheckedPrefixes = {70, 85};
    constexpr int kMethod00Start = 3;
    constexpr std::array<int, 5> kTransformationStarts = {1, 4, 5, 6, 9};
    if (std::ranges::find(kUncheckedPrefixes, digitsBetween(account10, 1, 2)) !=
        kUncheckedPrefixes.end())
        return true;
    const int first = digit(account10, 1);
    if (first == kMethod00Start)
        return method00Variant(account10);
    return std::ranges::find(kTransformationStarts, first) != kTransformationStarts.end() &&
           method29Variant(account10);
}

// By the account's shape: 6-digit accounts with 1..8 at position 5 and 9-digit ones with 1..8
// at position 2 use method 75; ten digits starting 1, 4, 5, 6 or 9 the iterated transformation
// (method 29), starting 3 method 00; 8-digit accounts starting 3..5 and ten digits starting 70
// or 85 carry no check digit; everything else is invalid.
bool methodC5(std::string_view /*bankCode*/, std::string_view account10) {
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
        return methodC5TenDigits(account10);
    default:
        return false;
    }
}

// Method 63 (with its exception), else method 06.
bool methodC7(std::string_view /*bankCode*/, std::string_view account10) {
    return cd::methodC7(account10);
}

// Method 00, else modulus 11 with weights 2..7 (method 04), else weights 2..10 (method 07).
bool methodC8(std::string_view /*bankCode*/, std::string_view account10) {
    return method00Variant(account10) || method04Variant(account10) || method07Variant(account10);
}

// Method 00, else modulus 11 with weights 2..10 (method 07).
bool methodC9(std::string_view /*bankCode*/, std::string_view account10) {
    return method00Variant(account10) || method07Variant(account10);
}

// Accounts starting 57 carry no check digit; all others method 20.
bool methodD0(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr long long kUncheckedPrefix = 57;
    return digitsBetween(account10, 1, 2) == kUncheckedPrefix || method20Variant(account10);
}

// Method 95, else method 00, else method 68.
bool methodD2(std::string_view /*bankCode*/, std::string_view account10) {
    return method95Variant(account10) || method00Variant(account10) || method68Variant(account10);
}

// Method 07, else modulus 10 with plain products (method 03), else method 00.
bool methodD6(std::string_view /*bankCode*/, std::string_view account10) {
    return method07Variant(account10) || method03Variant(account10) || method00Variant(account10);
}

// Weights 2,1,2,... over positions 9..1 with cross sums; the check digit at 10 is the sum's
// ones digit.
bool methodD7(std::string_view /*bankCode*/, std::string_view account10) {
    return weightedCrossSum(account10, 1, kLastStemPosition, kWeights21) % kModulus10 ==
           digit(account10, kCheckPosition);
}

// Ten-digit accounts use method 00; eight-digit ones (0010000000..0099999999) carry no check
// digit; all others are invalid.
bool methodD8(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kUncheckedDigits = 8;
    const int length = significantDigits(account10);
    return length == kAccountDigits ? method00Variant(account10) : length == kUncheckedDigits;
}

// Method 00, else modulus 11 with weights 2..10 (method 10), else weights 3,9,7,1 (method 18).
bool methodD9(std::string_view /*bankCode*/, std::string_view account10) {
    return method00Variant(account10) || method10Variant(account10) || method18Variant(account10);
}

// As method 00 with 7 added to the sum.
bool methodE0(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kAddend = 7;
    return modulus10CheckDigit(weightedCrossSum(account10, 1, kLastStemPosition, kWeights21) +
                               kAddend) == digit(account10, kCheckPosition);
}

// Method 00, else the repeated cross sum of method 21.
bool methodE3(std::string_view /*bankCode*/, std::string_view account10) {
    return method00Variant(account10) || method21Variant(account10);
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
