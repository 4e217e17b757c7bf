#include "paylib/bank/iban/AccountDigits.h"

#include <algorithm>

namespace paylib::iban {

std::string_view significantDigits(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

std::string padded(std::string_view digits) {
    const std::string_view significant = significantDigits(digits);
    std::string result(kAccountDigits - std::min(significant.size(), kAccountDigits), '0');
    result += significant;
    return result;
}

bool sameAccount(std::string_view a, std::string_view b) {
    return significantDigits(a) == significantDigits(b);
}

} // namespace paylib::iban
