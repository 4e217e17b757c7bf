#include "paylib/bank/checkmethods/CheckMethod.h"
#include "paylib/bank/checkmethods/CheckMethodMath.h"
#include "paylib/bank/checkmethods/NumberedMethods.h"
#include "paylib/bank/iban/CheckDigitVariants.h"

#include <array>

namespace paylib::checkmethods {
namespace {

namespace checkdigits = paylib::iban::checkdigits;

constexpr int kNine = 9;
// Position of the check digit for the methods with a stem of seven digits.
constexpr int kStemCheckPosition = 8;
// Position of the check digit for the methods with a stem of six digits.
constexpr int kShortStemCheckPosition = 7;

constexpr std::array<int, 3> kWeights317 = {3, 1, 7};
constexpr std::array<int, 6> kWeights7To2 = {7, 6, 5, 4, 3, 2};
constexpr std::array<int, 9> kWeights2To9And1 = {2, 3, 4, 5, 6, 7, 8, 9, 1};
constexpr std::array<int, 6> kWeights1To6 = {1, 2, 3, 4, 5, 6};
constexpr std::array<int, 6> kWeightsPowersOf2Mod11 = {2, 4, 8, 5, 10, 9};
constexpr std::array<int, 3> kWeights2To4 = {2, 3, 4};
constexpr std::array<int, 6> kWeights5To10 = {5, 6, 7, 8, 9, 10};
// Weights 2,1 over positions 9..1 with positions 3-4 left out.
constexpr std::array<int, 9> kWeights21Without3And4 = {2, 1, 2, 1, 2, 0, 0, 1, 2};
// Weights 2..7 over positions 9..4, positions 2-3 left out, position 1 weighted 10.
constexpr std::array<int, 9> kWeights2To7And10At1 = {2, 3, 4, 5, 6, 7, 0, 0, 10};

// Stem in positions 1..7 with weights 2,1 (cross sums), check digit at 8; positions 9-10 take
// part (weights 1,2) only when position 9 is `typeDigit`.
bool passesStemWithTypeDigit(std::string_view account10, int typeDigit) {
    constexpr int kTypePosition = 9;
    int sum = weightedCrossSum(account10, 1, kStemCheckPosition - 1, kWeights21);
    if (digit(account10, kTypePosition) == typeDigit)
        sum += weightedCrossSum(account10, kTypePosition, kAccountDigits, kWeights21);
    return modulus10CheckDigit(sum) == digit(account10, kStemCheckPosition);
}

// Modulus 11 with weights 2..8 over positions 9..3 (accounts with 9 at position 3).
bool passesWeights2To8From3(std::string_view account10) {
    constexpr int kFirst = 3;
    return passesModulus11(account10, kFirst, kLastStemPosition, kWeights2To8, kCheckDigitPosition);
}

// 60: modulus 10, weights 2,1 over positions 9..3 (cross sums), the sub-account in 1-2 left
// out; check digit at 10.
bool method60(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kFirst = 3;
    return passesModulus10CrossSums(account10, kFirst, kLastStemPosition, kWeights21,
                                    kCheckDigitPosition);
}

// 61: modulus 10, weights 2,1 over positions 7..1 (cross sums), check digit at 8; with type 8
// at position 9, positions 9-10 take part with weights 1,2.
bool method61(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kTypeDigit = 8;
    return passesStemWithTypeDigit(account10, kTypeDigit);
}

// 63: as 13 with position 1 zero; numbers starting 000 are moved left by two.
bool method63(std::string_view /*bankCode*/, std::string_view account10) {
    return checkdigits::method63(account10);
}

// 64: modulus 11, weights 9,10,5,8,4,2 over positions 1..6, check digit at 7.
bool method64(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus11(account10, 1, kShortStemCheckPosition - 1, kWeightsPowersOf2Mod11,
                           kShortStemCheckPosition);
}

// 65: as 61, positions 9-10 taking part when position 9 is 9.
bool method65(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kTypeDigit = 9;
    return passesStemWithTypeDigit(account10, kTypeDigit);
}

// 67: modulus 10, weights 2,1 over positions 7..1 (cross sums), check digit at 8; positions
// 9-10 a sub-account.
bool method67(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus10CrossSums(account10, 1, kStemCheckPosition - 1, kWeights21,
                                    kStemCheckPosition);
}

} // namespace

// Reused by other files (NumberedMethods.h).

// 68: ten-digit numbers need 9 at position 4 and check positions 9..4 (weights 2,1, cross
// sums); 400000000-499999999 carry no check digit; other numbers pass as method 00 or, with
// positions 3-4 left out, as method 00 over the rest.
bool method68(std::string_view bankCode, std::string_view account10) {
    constexpr int kTenDigitFirst = 4;
    constexpr std::array<AccountRange, 1> kUnchecked = {{{"0400000000", "0499999999"}}};
    if (significantDigits(account10) == kAccountDigits) {
        return digit(account10, kTenDigitFirst) == kNine &&
               passesModulus10CrossSums(account10, kTenDigitFirst, kLastStemPosition, kWeights21,
                                        kCheckDigitPosition);
    }
    return inAnyRange(account10, kUnchecked) || method00(bankCode, account10) ||
           passesModulus10CrossSums(account10, 1, kLastStemPosition, kWeights21Without3And4,
                                    kCheckDigitPosition);
}

bool isSubLedgerAccount(std::string_view account10) {
    constexpr int kMarkerPosition = 3;
    return digit(account10, kMarkerPosition) == kNine;
}

bool passesSubLedgerAccount(std::string_view bankCode, std::string_view account10) {
    return passesWeights2To8From3(account10) || method10(bankCode, account10);
}

// 95: as 06; some ranges of numbers carry no check digit.
bool method95(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr std::array<AccountRange, 5> kUnchecked = {{
        {"0000000001", "0001999999"},
        {"0009000000", "0025999999"},
        {"0396000000", "0499999999"},
        {"0700000000", "0799999999"},
        {"0910000000", "0989999999"},
    }};
    return inAnyRange(account10, kUnchecked) || checkdigits::method06(account10);
}

namespace {

// 71: modulus 11, weights 6,5,4,3,2,1 over positions 2..7, check digit at 10; remainder 0
// gives 0, remainder 1 gives 1.
bool method71(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kFirst = 2;
    const int remainder =
        weightedSum(account10, kFirst, kShortStemCheckPosition, kWeights1To6) % kModulus11;
    const int check = remainder <= 1 ? remainder : kModulus11 - remainder;
    return check == digit(account10, kCheckDigitPosition);
}

// 74: as 00; six-digit numbers also pass when the check digit makes the sum up to the next
// number ending in 5; else method 04 (modulus 11, weights 2..7 over positions 9..1, remainder 1
// failing).
bool method74(std::string_view bankCode, std::string_view account10) {
    constexpr int kHalfDecadeDigits = 6;
    constexpr int kHalfDecade = 5;
    if (method00(bankCode, account10))
        return true;
    const int decadeCheck =
        modulus10CheckDigit(weightedCrossSum(account10, 1, kLastStemPosition, kWeights21));
    if (significantDigits(account10) == kHalfDecadeDigits &&
        (decadeCheck + kHalfDecade) % kModulus10 == digit(account10, kCheckDigitPosition))
        return true;
    return method04(bankCode, account10);
}

// 78: as 00; numbers of up to eight digits carry no check digit.
bool method78(std::string_view bankCode, std::string_view account10) {
    constexpr int kUncheckedDigits = 8;
    return significantDigits(account10) <= kUncheckedDigits || method00(bankCode, account10);
}

// 81: modulus 11, weights 2..7 over positions 9..4 and 10 at position 1, check digit at 10;
// with 9 at position 3, weights 2..8 over positions 9..3, else weights 2..10 over 9..1.
bool method81(std::string_view bankCode, std::string_view account10) {
    if (!isSubLedgerAccount(account10))
        return passesModulus11(account10, 1, kLastStemPosition, kWeights2To7And10At1,
                               kCheckDigitPosition);
    return passesSubLedgerAccount(bankCode, account10);
}

// 88: as 32; with 9 at position 3, weights 2..8 over positions 9..3.
bool method88(std::string_view bankCode, std::string_view account10) {
    return isSubLedgerAccount(account10) ? passesWeights2To8From3(account10)
                                         : method32(bankCode, account10);
}

// 91: modulus 11 over positions 1..6, check digit at 7, tried with weights 7..2, then 2..7,
// then 10..5 with positions 8..10 weighted 4,3,2, then 9,10,5,8,4,2.
bool method91(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kStemLast = kShortStemCheckPosition - 1;
    if (passesModulus11(account10, 1, kStemLast, kWeights2To7, kShortStemCheckPosition) ||
        passesModulus11(account10, 1, kStemLast, kWeights7To2, kShortStemCheckPosition))
        return true;
    const int sum = weightedSum(account10, 1, kStemLast, kWeights5To10) +
                    weightedSum(account10, kStemCheckPosition, kAccountDigits, kWeights2To4);
    return modulus11CheckDigit(sum) == digit(account10, kShortStemCheckPosition) ||
           passesModulus11(account10, 1, kStemLast, kWeightsPowersOf2Mod11,
                           kShortStemCheckPosition);
}

// 92: modulus 10, weights 3,7,1 over positions 9..4 (plain products), check digit at 10.
bool method92(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr int kFirst = 4;
    return passesModulus10(account10, kFirst, kLastStemPosition, kWeights371, kCheckDigitPosition);
}

// 94: modulus 10, weights 1,2 over positions 9..1 (cross sums), check digit at 10.
bool method94(std::string_view /*bankCode*/, std::string_view account10) {
    return passesModulus10CrossSums(account10, 1, kLastStemPosition, kWeights12,
                                    kCheckDigitPosition);
}

// 96: modulus 11 with weights 2..9,1 over positions 9..1 (check digit at 10), else as 00;
// 0001300000-0099399999 pass unchecked.
bool method96(std::string_view bankCode, std::string_view account10) {
    constexpr std::array<AccountRange, 1> kUnchecked = {{{"0001300000", "0099399999"}}};
    return passesModulus11(account10, 1, kLastStemPosition, kWeights2To9And1,
                           kCheckDigitPosition) ||
           method00(bankCode, account10) || inAnyRange(account10, kUnchecked);
}

// 98: modulus 10, weights 3,1,7 over positions 9..3 (plain products), check digit at 10; else
// as 32.
bool method98(std::string_view bankCode, std::string_view account10) {
    constexpr int kFirst = 3;
    return passesModulus10(account10, kFirst, kLastStemPosition, kWeights317,
                           kCheckDigitPosition) ||
           method32(bankCode, account10);
}

// 99: as 06; 0396000000-0499999999 carry no check digit.
bool method99(std::string_view /*bankCode*/, std::string_view account10) {
    constexpr std::array<AccountRange, 1> kUnchecked = {{{"0396000000", "0499999999"}}};
    return inAnyRange(account10, kUnchecked) || checkdigits::method06(account10);
}

} // namespace

std::span<const NamedCheckMethod> methods60To99() {
    static constexpr std::array<NamedCheckMethod, 19> kMethods = {{
        {"60", method60}, {"61", method61}, {"63", method63}, {"64", method64}, {"65", method65},
        {"67", method67}, {"68", method68}, {"71", method71}, {"74", method74}, {"78", method78},
        {"81", method81}, {"88", method88}, {"91", method91}, {"92", method92}, {"94", method94},
        {"95", method95}, {"96", method96}, {"98", method98}, {"99", method99},
    }};
    return kMethods;
}

} // namespace paylib::checkmethods
