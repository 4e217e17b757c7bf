#pragma once

#include <string>
#include <string_view>

// Windows-1252 is the byte encoding of every text inside records, the log, the reporter and
// across the payment library boundary. This is the one place that converts it.
namespace win1252 {

// Unicode code point of one Windows-1252 byte. The five bytes that code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, so every byte
// survives a round trip.
char32_t toUnicode(unsigned char byte);

// Byte for a code point, or -1 when Windows-1252 has none.
int fromUnicode(char32_t codePoint);

std::string toUtf8(std::string_view text);

// Code points without a Windows-1252 byte become `fallback`; malformed UTF-8 too.
std::string fromUtf8(std::string_view utf8, char fallback = '?');

// The 8-bit case mapping that stands in for the system's character case functions
// (accented letters included; "ß" and "µ" have no capital).
char toUpper(char c);
char toLower(char c);
std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);

} // namespace win1252
