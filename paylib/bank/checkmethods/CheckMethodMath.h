#pragma once

#include <span>
#include <string_view>

// The arithmetic the check-digit methods share. Positions count 1..10 from the left of the
// ten-digit account.
namespace paylib::checkmethods {

inline constexpr int kAccountDigits = 10;

int digit(std::string_view account10, int position);

// The digits' own sum (12 -> 3); products of two digits stay below 100.
int crossSum(int value);

// Sum of digit(p) * weight over the positions from `last` down to `first` (right to left);
// the weights start at `last` and repeat when there are fewer weights than positions.
int weightedSum(std::string_view account10, int first, int last, std::span<const int> weights);
// As weightedSum, each product replaced by its cross sum.
int weightedCrossSum(std::string_view account10, int first, int last,
                     std::span<const int> weights);

// 10 - sum % 10, and 0 where that is 10.
int modulus10CheckDigit(int sum);
// 11 - sum % 11, and 0 where that is 10 or 11 (the methods that differ there say so).
int modulus11CheckDigit(int sum);

} // namespace paylib::checkmethods
