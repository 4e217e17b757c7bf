#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// Windows-1252 is the byte encoding of every text inside records, the log, the reporter and
// across the payment library boundary. This is the one place that converts it; the byte and
// code-point mapping is constexpr, so literals are converted with it at compile time
// (platform/Win1252Literal.h).
namespace win1252 {

namespace detail {

inline constexpr unsigned char kFirstSpecial = 0x80;
inline constexpr unsigned char kLastSpecial = 0x9F;

// 0x80-0x9F; zero marks a byte the code page leaves undefined.
inline constexpr std::array<char32_t, 32> kSpecials = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

} // namespace detail

// The code point that stands for a malformed UTF-8 sequence.
inline constexpr char32_t kReplacement = 0xFFFD;

// Unicode code point of one Windows-1252 byte. The five bytes that code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value, so every byte
// survives a round trip.
constexpr char32_t toUnicode(unsigned char byte) {
    if (byte >= detail::kFirstSpecial && byte <= detail::kLastSpecial) {
        const char32_t mapped = detail::kSpecials[byte - detail::kFirstSpecial];
        return mapped != 0 ? mapped : byte;
    }
    return byte;
}

// Byte for a code point, or -1 when Windows-1252 has none.
constexpr int fromUnicode(char32_t codePoint) {
    if (codePoint < detail::kFirstSpecial ||
        (codePoint > detail::kLastSpecial && codePoint <= 0xFF)) {
        return static_cast<int>(codePoint);
    }
    for (std::size_t i = 0; i < detail::kSpecials.size(); ++i) {
        const char32_t mapped = detail::kSpecials[i];
        if (mapped == codePoint || (mapped == 0 && codePoint == detail::kFirstSpecial + i)) {
            return static_cast<int>(detail::kFirstSpecial + i);
        }
    }
    return -1;
}

// Decodes the UTF-8 sequence at `pos` and advances past it; kReplacement for malformed input.
constexpr char32_t decodeUtf8(std::string_view utf8, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(utf8[pos++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t codePoint = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        codePoint = lead & 0x07;
    } else {
        return kReplacement;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= utf8.size() || (static_cast<unsigned char>(utf8[pos]) & 0xC0) != 0x80) {
            return kReplacement;
        }
        codePoint = (codePoint << 6) | (static_cast<unsigned char>(utf8[pos++]) & 0x3F);
    }
    return codePoint;
}

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
