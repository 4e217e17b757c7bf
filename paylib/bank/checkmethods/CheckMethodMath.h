#pragma once

#include <array>
#include <span>
#include <string_view>

// The arithmetic the check-digit methods share. Positions count 1..10 from the left of the
// ten-digit account.
namespace paylib::checkmethods {

inline constexpr int kAccountDigits = 10;
// Most methods weight positions 1..9 and put the check digit at 10.
inline constexpr int kLastStemPosition = kAccountDigits - 1;
inline constexpr int kCheckDigitPosition = kAccountDigits;

inline constexpr int kModulus10 = 10;
inline constexpr int kModulus11 = 11;

// Weights several methods share; they run from the right and repeat (see weightedSum), and a
// method that weights fewer positions uses only their start (2..10 over five positions: 2..6).
inline constexpr std::array<int, 2> kWeights21 = {2, 1};
inline constexpr std::array<int, 2> kWeights12 = {1, 2};
inline constexpr std::array<int, 3> kWeights371 = {3, 7, 1};
inline constexpr std::array<int, 6> kWeights2To7 = {2, 3, 4, 5, 6, 7};
inline constexpr std::array<int, 7> kWeights2To8 = {2, 3, 4, 5, 6, 7, 8};
inline constexpr std::array<int, 8> kWeights2To9 = {2, 3, 4, 5, 6, 7, 8, 9};
inline constexpr std::array<int, 9> kWeights2To10 = {2, 3, 4, 5, 6, 7, 8, 9, 10};

int digit(std::string_view account10, int position);

// The digits of positions `first`..`last` read as one number (up to nine of them).
int digitsAsNumber(std::string_view account10, int first, int last);

// The account's length without its leading zeros.
int significantDigits(std::string_view account10);

// An inclusive range of ten-digit accounts; ten-digit strings compare like their numbers.
struct AccountRange {
    std::string_view first;
    std::string_view last;
};
bool inAnyRange(std::string_view account10, std::span<const AccountRange> ranges);

// The digits' own sum (12 -> 3); products of two digits stay below 100.
int crossSum(int value);

// Sum of digit(p) * weight over the positions from `last` down to `first` (right to left);
// the weights start at `last` and repeat when there are fewer weights than positions.
int weightedSum(std::string_view account10, int first, int last, std::span<const int> weights);
// As weightedSum, each product replaced by its cross sum.
int weightedCrossSum(std::string_view account10, int first, int last, std::span<const int> weights);

// 10 - sum % 10, and 0 where that is 10.
int modulus10CheckDigit(int sum);
// 11 - sum % 11, and 0 where that is 10 or 11 (the methods that differ there say so).
int modulus11CheckDigit(int sum);

// Modulus 10 over the plain products of positions `last`..`first`; check digit at
// `checkPosition`.
bool passesModulus10(std::string_view account10, int first, int last, std::span<const int> weights,
                     int checkPosition);
// As passesModulus10, each product replaced by its cross sum.
bool passesModulus10CrossSums(std::string_view account10, int first, int last,
                              std::span<const int> weights, int checkPosition);

// Remainder 1 would ask for check digit 10, which is no digit: methods either take 0 for it
// or call the account invalid.
enum class RemainderOne { CheckDigitZero, Invalid };

// Modulus 11 over positions `last`..`first`; check digit 11 - remainder at `checkPosition`,
// 0 for remainder 0, remainder 1 as `remainderOne` says.
bool passesModulus11(std::string_view account10, int first, int last, std::span<const int> weights,
                     int checkPosition, RemainderOne remainderOne = RemainderOne::CheckDigitZero);

// Modulus 11 "minus 1": weights 1,2,1,2,... from `first` rightwards with cross sums; the check
// digit is 10 minus (sum - 1) % 11 (0 for remainders 0 and 10), an all-zero stem never passes.
bool passesModulus11MinusOne(std::string_view account10, int first, int last, int checkPosition);

// Methods 52 and 53 rebuild an account's old-system number (up to 12 digits); it passes when
// its sum with weights 2,4,8,5,10,9,7,3,6,1,2,4 from its right end leaves 10 modulo 11.
bool passesOldSystemNumber(std::string_view number);

} // namespace paylib::checkmethods
