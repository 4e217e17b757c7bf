#include "paylib/bank/iban/CheckDigitVariants.h"

#include <array>

namespace paylib::iban::checkdigits {
namespace {

constexpr std::size_t kDigits = 10;
constexpr int kModulus10 = 10;
constexpr int kModulus11 = 11;

int digit(std::string_view account10, int position) {
    return account10[static_cast<std::size_t>(position - 1)] - '0';
}

int crossSum(int value) {
    return value / 10 + value % 10;
}

// Weights 2,1,2,1,2,1 over positions 7..2, cross sums; the check digit sits at position 8.
bool modulus10AtPosition8(std::string_view account10) {
    constexpr std::array<int, 6> kWeights = {2, 1, 2, 1, 2, 1};
    int sum = 0;
    for (std::size_t i = 0; i < kWeights.size(); ++i)
        sum += crossSum(digit(account10, 7 - static_cast<int>(i)) * kWeights[i]);
    return (kModulus10 - sum % kModulus10) % kModulus10 == digit(account10, 8);
}

bool startsWith(std::string_view account10, std::string_view prefix) {
    return account10.substr(0, prefix.size()) == prefix;
}

} // namespace

std::string withSubAccount(std::string_view account10) {
    std::string moved(account10.substr(2));
    moved += "00";
    return moved;
}

bool method06(std::string_view account10) {
    constexpr std::array<int, 9> kWeights = {2, 3, 4, 5, 6, 7, 2, 3, 4};
    int sum = 0;
    for (std::size_t i = 0; i < kWeights.size(); ++i)
        sum += digit(account10, 9 - static_cast<int>(i)) * kWeights[i];
    const int remainder = sum % kModulus11;
    const int check = remainder <= 1 ? 0 : kModulus11 - remainder;
    return check == digit(account10, static_cast<int>(kDigits));
}

bool method13Plain(std::string_view account10) {
    return modulus10AtPosition8(account10);
}

bool method13(std::string_view account10) {
    return method13Plain(account10) || method13Plain(withSubAccount(account10));
}

bool method63Plain(std::string_view account10) {
    return digit(account10, 1) == 0 && modulus10AtPosition8(account10);
}

bool method63Exception(std::string_view account10) {
    return startsWith(account10, "000") && method63Plain(withSubAccount(account10));
}

bool method63(std::string_view account10) {
    // A number starting with 000 is read as one given without its sub-account.
    return startsWith(account10, "000") ? method63Exception(account10) : method63Plain(account10);
}

bool method76Plain(std::string_view account10) {
    constexpr std::string_view kAccountTypes = "046789";
    if (kAccountTypes.find(account10[0]) == std::string_view::npos)
        return false;
    // A stem of fewer than five digits has zeros in positions 2 to 4.
    if (account10.substr(1, 3) == "000")
        return false;
    constexpr std::array<int, 6> kWeights = {2, 3, 4, 5, 6, 7};
    int sum = 0;
    for (std::size_t i = 0; i < kWeights.size(); ++i)
        sum += digit(account10, 7 - static_cast<int>(i)) * kWeights[i];
    const int remainder = sum % kModulus11;
    return remainder != kModulus11 - 1 && remainder == digit(account10, 8);
}

bool method76Exception(std::string_view account10) {
    return startsWith(account10, "00") && method76Plain(withSubAccount(account10));
}

bool method76(std::string_view account10) {
    return method76Plain(account10) || method76Exception(account10);
}

bool methodC7(std::string_view account10) {
    return method63(account10) || method06(account10);
}

} // namespace paylib::iban::checkdigits
