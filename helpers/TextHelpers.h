#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Text clean-up shared by the dialogs, the reporter and the log writer. Texts are
// Windows-1252 bytes; every result longer than its bound is cut at the end.

// Longest text the bounded routines take or give.
inline constexpr std::size_t kShortTextMax = 255;
// Bound of the numeric-text routines (BlanksToZeros, TextToInt64, DecimalTextToNumber).
inline constexpr std::size_t kNumberTextMax = 80;

// Code 0, codes 9 to 13 and the blank.
bool IsWhiteSpace(char c);

// The text (first 255 characters) without surrounding white space. A text whose first
// non-blank character is a control character below 32 counts as empty as a whole.
std::string TrimText(std::string_view text);
// The same as a view into `text`, for callers that only look at it.
std::string_view TrimView(std::string_view text);

// The text with every character that occurs in `charSet` removed.
std::string DeleteChars(std::string_view text, std::string_view charSet);

// First 255 characters with every `oldChar` replaced by `newChar`.
std::string ReplaceChar(std::string_view text, char oldChar, char newChar);

// First 80 characters with every blank replaced by '0'.
std::string BlanksToZeros(std::string_view text);

// `count` copies of `c`; count is taken within 0..255.
std::string CharString(int count, char c);
std::string Spaces(int count);

// The text cut to `width` (0..255) and padded with blanks: mode 'R' right-aligns,
// 'C' or 'Z' centres (odd room goes right), anything else left-aligns. Case-insensitive mode.
std::string JustifyText(std::string_view text, int width, char mode);

// First 255 characters upper-cased with the Windows-1252 case table (ä, ö, ü included).
std::string UpperCaseGerman(std::string_view text);

// First 80 characters as a decimal 64-bit integer (optional sign, digits); 0 otherwise,
// also on overflow.
std::int64_t TextToInt64(std::string_view text);
