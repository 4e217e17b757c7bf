#include "paylib/bank/checkmethods/CheckMethodMath.h"

#include <cstddef>

namespace paylib::checkmethods {
namespace {

constexpr int kModulus10 = 10;
constexpr int kModulus11 = 11;

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

} // namespace paylib::checkmethods
