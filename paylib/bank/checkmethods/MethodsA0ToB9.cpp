#include "paylib/bank/checkmethods/CheckMethod.h"
#include "paylib/bank/checkmethods/CheckMethodMath.h"
#include "paylib/bank/checkmethods/NumberedMethods.h"
#include "paylib/bank/iban/CheckDigitVariants.h"

#include <array>
#include <cstddef>
#include <string>

namespace paylib::checkmethods {
namespace {

// Positions 4..9, the stem of the methods that weight six digits.
constexpr int kSixDigitStemFirst = 4;
constexpr int kModulus7 = 7;

// Modulus 11 (remainders 0 and 1 give 0), else modulus 7 (remainder 0 gives 0), of one sum.
bool modulus11Or7Fits(int sum, int check) {
    return modulus11CheckDigit(sum) == check || (kModulus7 - sum % kModulus7) % kModulus7 == check;
}

// Method 02 (not in our tables): modulus 11, weights 2,3,4,5,6,7,8,9,2 over positions 9..1,
// remainder 1 invalid.
bool variant02(std::string_view account10) {
    constexpr std::array<int, 9> kWeights2To9Then2 = {2, 3, 4, 5, 6, 7, 8, 9, 2};
    return passesModulus11(account10, 1, kLastStemPosition, kWeights2To9Then2, kCheckDigitPosition,
                           RemainderOne::Invalid);
}

// Method 53 (not in our tables; account type at position 2, T digit at 3, check digit at 4, stem
// at 5..10): the old-system number is bank code positions 5..8 with the T digit in place of
// position 7, then the account type, the check digit and the stem without leading zeros. Weights
// from passesOldSystemNumber.
bool variant53(std::string_view bankCode, std::string_view account10) {
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
    return passesOldSystemNumber(number);
}

// Method 93 (not in our tables): a five-digit stem at positions 5..9 with the check digit at 10
// when positions 1..4 are 0000, else at positions 1..5 with the check digit at 6; weights 2..6,
// modulus 11 (remainders 0 and 1 give 0), else modulus 7.
bool variant93(std::string_view account10) {
    constexpr std::string_view kRightStemMarker = "0000";
    constexpr int kStemDigits = 5;
    const int last = account10.starts_with(kRightStemMarker) ? kLastStemPosition : kStemDigits;
    const int sum = weightedSum(account10, last - kStemDigits + 1, last, kWeights2To10);
    return modulus11Or7Fits(sum, digit(account10, last + 1));
}

// A2: method 00, else method 04.
bool methodA2(std::string_view bankCode, std::string_view account10) {
    return method00(bankCode, account10) || method04(bankCode, account10);
}

// A3: method 00, else method 10.
bool methodA3(std::string_view bankCode, std::string_view account10) {
    return method00(bankCode, account10) || method10(bankCode, account10);
}

// A4: when positions 3-4 are not 99, modulus 11 (remainders 0 and 1 give 0), else modulus 7,
// each with weights 2..7 over positions 9..4; when they are 99, modulus 11 with weights 2..6
// over positions 9..5 (remainders 0 and 1 give 0). Then method 93. Check digit at 10.
bool methodA4(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr std::string_view kShortStemMarker = "99";
    constexpr int kMarkerPosition = 3;
    constexpr int kShortStemFirst = 5;
    if (account10.substr(kMarkerPosition - 1, kShortStemMarker.size()) == kShortStemMarker) {
        return passesModulus11(account10, kShortStemFirst, kLastStemPosition, kWeights2To10,
                               kCheckDigitPosition) ||
               variant93(account10);
    }
    const int sum = weightedSum(account10, kSixDigitStemFirst, kLastStemPosition, kWeights2To10);
    return modulus11Or7Fits(sum, digit(account10, kCheckDigitPosition)) || variant93(account10);
}

// A5: method 00, else method 10 unless position 1 is 9.
bool methodA5(std::string_view bankCode, std::string_view account10) {
    constexpr int kOnlyFirstVariant = 9;
    return method00(bankCode, account10) ||
           (digit(account10, 1) != kOnlyFirstVariant && method10(bankCode, account10));
}

// A6: method 00 when position 2 is 8, else method 01.
bool methodA6(std::string_view bankCode, std::string_view account10) {
    constexpr int kMethod00Marker = 8;
    return digit(account10, 2) == kMethod00Marker ? method00(bankCode, account10)
                                                  : method01(bankCode, account10);
}

// A7: method 00, else method 03.
bool methodA7(std::string_view bankCode, std::string_view account10) {
    return method00(bankCode, account10) || method03(bankCode, account10);
}

// A8: sub-ledger accounts (position 3 is 9) as in method 51; else modulus 11 with weights
// 2..7 over positions 9..4, else modulus 10 with weights 2,1 over positions 9..4, cross sums.
bool methodA8(std::string_view bankCode, std::string_view account10) {
    if (isSubLedgerAccount(account10))
        return passesSubLedgerAccount(bankCode, account10);
    return method32(bankCode, account10) ||
           passesModulus10CrossSums(account10, kSixDigitStemFirst, kLastStemPosition, kWeights21,
                                    kCheckDigitPosition);
}

// B1: method 05, else method 01.
bool methodB1(std::string_view bankCode, std::string_view account10) {
    return method05(bankCode, account10) || method01(bankCode, account10);
}

// B2: method 02 when position 1 is 0..7, method 00 when it is 8 or 9.
bool methodB2(std::string_view bankCode, std::string_view account10) {
    constexpr int kFirstMethod00 = 8;
    return digit(account10, 1) < kFirstMethod00 ? variant02(account10)
                                                : method00(bankCode, account10);
}

// B3: method 32 when position 1 is 0..8, method 06 when it is 9.
bool methodB3(std::string_view bankCode, std::string_view account10) {
    constexpr int kMethod06Marker = 9;
    return digit(account10, 1) == kMethod06Marker ? iban::checkdigits::method06(account10)
                                                  : method32(bankCode, account10);
}

// B5: method 05; else, unless position 1 is 8 or 9, method 00.
bool methodB5(std::string_view bankCode, std::string_view account10) {
    constexpr int kFirstOnlyMethod05 = 8;
    return method05(bankCode, account10) ||
           (digit(account10, 1) < kFirstOnlyMethod05 && method00(bankCode, account10));
}

// B6: method 20 when position 1 is 1..9 or positions 1-5 are 02691..02699, else method 53.
bool methodB6(std::string_view bankCode, std::string_view account10) {
    constexpr std::array<AccountRange, 2> kMethod20 = {{
        {"0269100000", "0269999999"},
        {"1000000000", "9999999999"},
    }};
    if (inAnyRange(account10, kMethod20))
        return method20(bankCode, account10);
    return variant53(bankCode, account10);
}

// B7: method 01 for accounts 0001000000..0005999999 and 0700000000..0899999999, else no check.
bool methodB7(std::string_view bankCode, std::string_view account10) {
    constexpr std::array<AccountRange, 2> kChecked = {{
        {"0001000000", "0005999999"},
        {"0700000000", "0899999999"},
    }};
    return !inAnyRange(account10, kChecked) || method01(bankCode, account10);
}

// B8: accounts 5100000000..5999999999 and 9010000000..9109999999 pass unchecked; others
// method 20, else method 29.
bool methodB8(std::string_view bankCode, std::string_view account10) {
    constexpr std::array<AccountRange, 2> kUnchecked = {{
        {"5100000000", "5999999999"},
        {"9010000000", "9109999999"},
    }};
    return inAnyRange(account10, kUnchecked) || method20(bankCode, account10) ||
           method29(bankCode, account10);
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
