#pragma once

#include <string>
#include <string_view>

// Account numbers as the IBAN rules compare them: digits, leading zeros without meaning.
namespace paylib::iban {

inline constexpr std::size_t kAccountDigits = 10;

// The number without its leading zeros ("" for zero).
std::string_view significantDigits(std::string_view digits);

// The number padded with leading zeros to ten digits (at most ten significant digits).
std::string padded(std::string_view digits);

// Whether two numbers are equal as numbers (the rules' tables print them unpadded).
bool sameAccount(std::string_view a, std::string_view b);

} // namespace paylib::iban
