#include "paylib/bank/checkmethods/CheckMethod.h"
#include "paylib/bank/checkmethods/CheckMethodMath.h"
#include "paylib/bank/iban/CheckDigitVariants.h"

#include <array>
#include <cstddef>
#include <string>

namespace paylib::checkmethods {
namespace {

constexpr int kLastWeighted = kAccountDigits - 1;
// Positions 4..9, the stem of the methods that weight six digits.
constexpr int kSixDigitStemFirst = 4;
constexpr int kModulus7 = 7;
constexpr int kModulus11 = 11;

constexpr std::array<int, 2> kWeights21 = {2, 1};
constexpr std::array<int, 3> kWeights371 = {3, 7, 1};
constexpr std::array<int, 3> kWeights731 = {7, 3, 1};
constexpr std::array<int, 6> kWeights2To7 = {2, 3, 4, 5, 6, 7};
constexpr std::array<int, 9> kWeights2To10 = {2, 3, 4, 5, 6, 7, 8, 9, 10};
constexpr std::array<int, 9> kWeights2To9Then2 = {2, 3, 4, 5, 6, 7, 8, 9, 2};
constexpr std::array<int, 9> kWeights2To9Then3 = {2, 3, 4, 5, 6, 7, 8, 9, 3};

int checkDigit(std::string_view account10) {
    return digit(account10, kAccountDigits);
}

// Modulus 10 over positions `first`..9, check digit at 10.
bool modulus10Passes(std::string_view account10, int first, std::span<const int> weights) {
    return modulus10CheckDigit(weightedSum(account10, first, kLastWeighted, weights)) ==
           checkDigit(account10);
}

// As modulus10Passes, each product replaced by its cross sum.
bool modulus10CrossSumPasses(std::string_view account10, int first, std::span<const int> weights) {
    return modulus10CheckDigit(weightedCrossSum(account10, first, kLastWeighted, weights)) ==
           checkDigit(account10);
}

// What a remainder of 1 means in a modulus 11 method.
enum class RemainderOne { CheckDigitZero, Invalid };

// Check digit modulus - sum % modulus, 0 for remainder 0; remainder 1 of modulus 11 as
// `remainderOne` says.
bool checkDigitFits(int sum, int modulus, int check, RemainderOne remainderOne) {
    const int remainder = sum % modulus;
    if (remainder == 0)
        return check == 0;
    if (modulus == kModulus11 && remainder == 1)
        return remainderOne == RemainderOne::CheckDigitZero && check == 0;
    return modulus - remainder == check;
}

// Modulus 11 over positions `first`..9, check digit at 10.
bool modulus11Passes(std::string_view account10, int first, std::span<const int> weights,
                     RemainderOne remainderOne) {
    return checkDigitFits(weightedSum(account10, first, kLastWeighted, weights), kModulus11,
                          checkDigit(account10), remainderOne);
}

// Method 00: modulus 10, weights 2,1,2,1,... over positions 9..1, cross sums.
bool variant00(std::string_view account10) {
    return modulus10CrossSumPasses(account10, 1, kWeights21);
}

// Method 01: modulus 10, weights 3,7,1,... over positions 9..1.
bool variant01(std::string_view account10) {
    return modulus10Passes(account10, 1, kWeights371);
}

// Method 02: modulus 11, weights 2,3,4,5,6,7,8,9,2 over positions 9..1, remainder 1 invalid.
bool variant02(std::string_view account10) {
    return modulus11Passes(account10, 1, kWeights2To9Then2, RemainderOne::Invalid);
}

// Method 03: modulus 10, weights 2,1,2,1,... over positions 9..1, no cross sums.
bool variant03(std::string_view account10) {
    return modulus10Passes(account10, 1, kWeights21);
}

// Method 04: modulus 11, weights 2,3,4,5,6,7,2,3,4 over positions 9..1, remainder 1 invalid.
bool variant04(std::string_view account10) {
    return modulus11Passes(account10, 1, kWeights2To7, RemainderOne::Invalid);
}

// Method 05: modulus 10, weights 7,3,1,... over positions 9..1.
bool variant05(std::string_view account10) {
    return modulus10Passes(account10, 1, kWeights731);
}

// Method 10: modulus 11, weights 2,3,...,10 over positions 9..1, remainders 0 and 1 give 0.
bool variant10(std::string_view account10) {
    return modulus11Passes(account10, 1, kWeights2To10, RemainderOne::CheckDigitZero);
}

// Method 20: modulus 11, weights 2,3,4,5,6,7,8,9,3 over positions 9..1, remainders 0 and 1
// give 0.
bool variant20(std::string_view account10) {
    return modulus11Passes(account10, 1, kWeights2To9Then3, RemainderOne::CheckDigitZero);
}

// Method 29: modulus 10 over positions 9..1, each digit transformed by the row (1, 2, 3, 4,
// 1, ...) its position takes from the right; check digit 10 - sum % 10 at position 10.
bool variant29(std::string_view account10) {
    constexpr int kRows = 4;
    constexpr std::array<std::array<int, 10>, kRows> kTransform = {{
        {0, 1, 5, 9, 3, 7, 4, 8, 2, 6},
        {0, 1, 7, 6, 9, 8, 3, 2, 5, 4},
        {0, 1, 8, 4, 6, 2, 9, 5, 7, 3},
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
    }};
    int sum = 0;
    for (int position = kLastWeighted, row = 0; position >= 1; --position, row = (row + 1) % kRows)
        sum += kTransform[static_cast<std::size_t>(row)]
                         [static_cast<std::size_t>(digit(account10, position))];
    return modulus10CheckDigit(sum) == checkDigit(account10);
}

// Method 32: modulus 11, weights 2,3,4,5,6,7 over positions 9..4, remainders 0 and 1 give 0.
bool variant32(std::string_view account10) {
    return modulus11Passes(account10, kSixDigitStemFirst, kWeights2To10,
                           RemainderOne::CheckDigitZero);
}

// Method 53 (account type at position 2, T digit at 3, check digit at 4, stem at 5..10): the
// old-system number is bank code positions 5..8 with the T digit in place of position 7, then
// the account type, the check digit and the stem without leading zeros. Weights
// 2,4,8,5,10,9,7,3,6,1,2,4 from its right end; the sum leaves remainder 10 modulo 11.
bool variant53(std::string_view bankCode, std::string_view account10) {
    constexpr std::array<int, 12> kOldSystemWeights = {2, 4, 8, 5, 10, 9, 7, 3, 6, 1, 2, 4};
    constexpr int kOldSystemRemainder = 10;
    constexpr std::size_t kBranchIndex = 4;
    constexpr std::size_t kBranchDigits = 4;
    constexpr std::size_t kTDigitInBranch = 2;
    constexpr std::size_t kAccountTypeIndex = 1;
    constexpr std::size_t kTDigitIndex = 2;
    constexpr std::size_t kCheckIndex = 3;
    constexpr std::size_t kStemIndex = 4;
    std::string number(bankCode.substr(kBranchIndex, kBranchDigits));
    number[kTDigitInBranch] = account10[kTDigitIndex];
    number += account10[kAccountTypeIndex];
    number += account10[kCheckIndex];
    const std::string_view stem = account10.substr(kStemIndex);
    const std::size_t significant = stem.find_first_not_of('0');
    if (significant != std::string_view::npos)
        number += stem.substr(significant);
    return weightedSum(number, 1, static_cast<int>(number.size()), kOldSystemWeights) %
               kModulus11 ==
           kOldSystemRemainder;
}

// Method 93: a five-digit stem at positions 5..9 with the check digit at 10 when positions 1..4
// are 0000, else at positions 1..5 with the check digit at 6; weights 2..6, modulus 11
// (remainders 0 and 1 give 0), else modulus 7.
bool variant93(std::string_view account10) {
    constexpr std::string_view kRightStemMarker = "0000";
    constexpr int kStemDigits = 5;
    const int last = account10.starts_with(kRightStemMarker) ? kLastWeighted : kStemDigits;
    const int sum = weightedSum(account10, last - kStemDigits + 1, last, kWeights2To10);
    const int check = digit(account10, last + 1);
    return checkDigitFits(sum, kModulus11, check, RemainderOne::CheckDigitZero) ||
           checkDigitFits(sum, kModulus7, check, RemainderOne::CheckDigitZero);
}

// Sub-ledger accounts (position 3 is 9): modulus 11 with weights 2..8 over positions 9..3,
// else with weights 2..10 over positions 9..1; remainders 0 and 1 give check digit 0.
bool ledgerAccountPasses(std::string_view account10) {
    constexpr int kLedgerFirst = 3;
    return modulus11Passes(account10, kLedgerFirst, kWeights2To10, RemainderOne::CheckDigitZero) ||
           variant10(account10);
}

bool isLedgerAccount(std::string_view account10) {
    constexpr int kLedgerMarker = 9;
    return digit(account10, 3) == kLedgerMarker;
}

// An inclusive range of ten-digit accounts.
struct AccountRange {
    std::string_view first;
    std::string_view last;
};

bool inAnyRange(std::string_view account10, std::span<const AccountRange> ranges) {
    for (const AccountRange& range : ranges) {
        if (account10 >= range.first && account10 <= range.last)
            return true;
    }
    return false;
}

// A2: method 00, else method 04.
bool methodA2(std::string_view /*bankCode*/, std::string_view account10) {
    return variant00(account10) || variant04(account10);
}

// A3: method 00, else method 10.
bool methodA3(std::string_view /*bankCode*/, std::string_view account10) {
    return variant00(account10) || variant10(account10);
}

// A4: when positions 3-4 are not 99, modulus 11 (remainders 0 and 1 give 0), else modulus 7,
// each with weights 2..7 over positions 9..4; when they are 99, modulus 11 with weights 2..6
// over positions 9..5 (remainders 0 and 1 give 0). Then method 93. Check digit at 10.
bool methodA4(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr std::string_view kShortStemMarker = "99";
    constexpr int kMarkerPosition = 3;
    constexpr int kShortStemFirst = 5;
    const int check = checkDigit(account10);
    if (account10.substr(kMarkerPosition - 1, kShortStemMarker.size()) == kShortStemMarker) {
        const int sum = weightedSum(account10, kShortStemFirst, kLastWeighted, kWeights2To10);
        return checkDigitFits(sum, kModulus11, check, RemainderOne::CheckDigitZero) ||
               variant93(account10);
    }
    const int sum = weightedSum(account10, kSixDigitStemFirst, kLastWeighted, kWeights2To10);
    return checkDigitFits(sum, kModulus11, check, RemainderOne::CheckDigitZero) ||
           checkDigitFits(sum, kModulus7, check, RemainderOne::CheckDigitZero) ||
           variant93(account10);
}

// A5: method 00, else method 10 unless position 1 is 9.
bool methodA5(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kOnlyFirstVariant = 9;
    return variant00(account10) ||
           (digit(account10, 1) != kOnlyFirstVariant && variant10(account10));
}

// A6: method 00 when position 2 is 8, else method 01.
bool methodA6(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kMethod00Marker = 8;
    return digit(account10, 2) == kMethod00Marker ? variant00(account10) : variant01(account10);
}

// A7: method 00, else method 03.
bool methodA7(std::string_view /*bankCode*/, std::string_view account10) {
    return variant00(account10) || variant03(account10);
}

// A8: sub-ledger accounts (position 3 is 9) as in method 51; else modulus 11 with weights
// 2..7 over positions 9..4, else modulus 10 with weights 2,1 over positions 9..4, cross sums.
bool methodA8(std::string_view /*bankCode*/, std::string_view account10) {
    if (isLedgerAccount(account10))
        return ledgerAccountPasses(account10);
    return variant32(account10) ||
           modulus10CrossSumPasses(account10, kSixDigitStemFirst, kWeights21);
}

// B1: method 05, else method 01.
bool methodB1(std::string_view /*bankCode*/, std::string_view account10) {
    return variant05(account10) || variant01(account10);
}

// B2: method 02 when position 1 is 0..7, method 00 when it is 8 or 9.
bool methodB2(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kFirstMethod00 = 8;
    return digit(account10, 1) < kFirstMethod00 ? variant02(account10) : variant00(account10);
}

// B3: method 32 when position 1 is 0..8, method 06 when it is 9.
bool methodB3(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kMethod06Marker = 9;
    return digit(account10, 1) == kMethod06Marker ? iban::checkdigits::method06(account10)
                                                  : variant32(account10);
}

// B5: method 05; else, unless position 1 is 8 or 9, method 00.
bool methodB5(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kFirstOnlyMethod05 = 8;
    return variant05(account10) ||
           (digit(account10, 1) < kFirstOnlyMethod05 && variant00(account10));
}

// B6: method 20 when position 1 is 1..9 or positions 1-5 are 02691..02699, else method 53.
bool methodB6(std::string_view bankCode, std::string_view account10) {
    constexpr std::array<AccountRange, 2> kMethod20 = {{
        {"0269100000", "0269999999"},
        {"1000000000", "9999999999"},
    }};
    if (inAnyRange(account10, kMethod20))
        return variant20(account10);
    return variant53(bankCode, account10);
}

// B7: method 01 for accounts 0001000000..0005999999 and 0700000000..0899999999, else no check.
bool methodB7(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr std::array<AccountRange, 2> kChecked = {{
        {"0001000000", "0005999999"},
        {"0700000000", "0899999999"},
    }};
    return !inAnyRange(account10, kChecked) || variant01(account10);
}

// B8: accounts 5100000000..5999999999 and 9010000000..9109999999 pass unchecked; others
// method 20, else method 29.
bool methodB8(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr std::array<AccountRange, 2> kUnchecked = {{
        {"5100000000", "5999999999"},
        {"9010000000", "9109999999"},
    }};
    return inAnyRange(account10, kUnchecked) || variant20(account10) || variant29(account10);
}

} // namespace

std::span<const NamedCheckMethod> methodsA0ToB9() {
    static constexpr std::array<NamedCheckMethod, 14> kMethods = {{
        {"A2", methodA2},
        {"A3", methodA3},
        {"A4", methodA4},
        {"A5", methodA5},
        {"A6", methodA6},
        {"A7", methodA7},
        {"A8", methodA8},
        {"B1", methodB1},
        {"B2", methodB2},
        {"B3", methodB3},
        {"B5", methodB5},
        {"B6", methodB6},
        {"B7", methodB7},
        {"B8", methodB8},
    }};
    return kMethods;
}

} // namespace paylib::checkmethods
