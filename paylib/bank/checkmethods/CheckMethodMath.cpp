#include "paylib/bank/checkmethods/CheckMethodMath.h"

#include <array>
#include <cstddef>

namespace paylib::checkmethods {
namespace {

template <typename Term>
int sumOver(std::string_view account10, int first, int last, std::span<const int> weights,
            Term term) {
    int sum = 0;
    std::size_t w = 0;
    for (int position = last; position >= first; --position) {
        sum += term(digit(account10, position) * weights[w]);
        w = (w + 1) % weights.size();
    }
    return sum;
}

} // namespace

int digit(std::string_view account10, int position) {
    return account10[static_cast<std::size_t>(position - 1)] - '0';
}

int digitsAsNumber(std::string_view account10, int first, int last) {
    int value = 0;
    for (int position = first; position <= last; ++position)
        value = value * kModulus10 + digit(account10, position);
    return value;
}

int significantDigits(std::string_view account10) {
    const std::size_t firstNonZero = account10.find_first_not_of('0');
    return firstNonZero == std::string_view::npos
               ? 0
               : static_cast<int>(account10.size() - firstNonZero);
}

bool inAnyRange(std::string_view account10, std::span<const AccountRange> ranges) {
    for (const AccountRange& range : ranges) {
        if (account10 >= range.first && account10 <= range.last)
            return true;
    }
    return false;
}

int crossSum(int value) {
    int sum = 0;
    for (; value > 0; value /= kModulus10)
        sum += value % kModulus10;
    return sum;
}

int weightedSum(std::string_view account10, int first, int last, std::span<const int> weights) {
    return sumOver(account10, first, last, weights, [](int product) { return product; });
}

int weightedCrossSum(std::string_view account10, int first, int last,
                     std::span<const int> weights) {
    return sumOver(account10, first, last, weights, [](int product) { return crossSum(product); });
}

int modulus10CheckDigit(int sum) {
    return (kModulus10 - sum % kModulus10) % kModulus10;
}

int modulus11CheckDigit(int sum) {
    const int check = kModulus11 - sum % kModulus11;
    return check >= kModulus10 ? 0 : check;
}

bool passesModulus10(std::string_view account10, int first, int last, std::span<const int> weights,
                     int checkPosition) {
    return modulus10CheckDigit(weightedSum(account10, first, last, weights)) ==
           digit(account10, checkPosition);
}

bool passesModulus10CrossSums(std::string_view account10, int first, int last,
                              std::span<const int> weights, int checkPosition) {
    return modulus10CheckDigit(weightedCrossSum(account10, first, last, weights)) ==
           digit(account10, checkPosition);
}

bool passesModulus11(std::string_view account10, int first, int last, std::span<const int> weights,
                     int checkPosition, RemainderOne remainderOne) {
    const int sum = weightedSum(account10, first, last, weights);
    if (remainderOne == RemainderOne::Invalid && sum % kModulus11 == 1)
        return false;
    return modulus11CheckDigit(sum) == digit(account10, checkPosition);
}

bool passesModulus11MinusOne(std::string_view account10, int first, int last, int checkPosition) {
    // The weights run from the right, so an even count of positions starts with 2 there.
    const bool evenCount = (last - first) % 2 == 1;
    const int sum = weightedCrossSum(account10, first, last, evenCount ? kWeights21 : kWeights12);
    if (sum == 0)
        return false;
    return (kModulus10 - (sum - 1) % kModulus11) % kModulus10 == digit(account10, checkPosition);
}

bool passesOldSystemNumber(std::string_view number) {
    constexpr std::array<int, 12> kWeights = {2, 4, 8, 5, 10, 9, 7, 3, 6, 1, 2, 4};
    constexpr int kPassingRemainder = 10;
    return weightedSum(number, 1, static_cast<int>(number.size()), kWeights) % kModulus11 ==
           kPassingRemainder;
}

} // namespace paylib::checkmethods
