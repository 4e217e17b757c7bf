#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers in the one German style of the program: decimal comma, '.' between groups of
// three digits, right-aligned in a fixed width, '$' filler when a number does not fit.

// Longest result of FormatNumber and FormatCents.
inline constexpr int kFormattedNumberMax = 30;

// Amount text (first 80 characters) as a number: ',' counts as decimal point, characters
// other than '-', '.' and digits as blanks; 0 unless the trimmed rest is one well-formed
// decimal number. Callers of German amounts remove the thousands points first.
long double DecimalTextToNumber(std::string_view text);

// `value` with `decimals` decimals, right-aligned in exactly `width` characters, grouped when
// `grouping` is set; `width` times '$' when it does not fit. Results are cut to 30 characters.
std::string FormatNumber(int width, int decimals, bool grouping, long double value);

// The integer text form ('-1.234.567'), or with `cents` the value divided by 100 with two
// decimals ('1.234,56'), trimmed.
std::string FormatCents(bool cents, std::int64_t value);

// True when every bit of `mask` is set in `value`.
bool ContainsBits(std::int64_t value, std::int64_t mask);
