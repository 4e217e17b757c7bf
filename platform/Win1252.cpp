#include "platform/Win1252.h"

#include <array>

namespace win1252 {
namespace {

constexpr unsigned char kFirstSpecial = 0x80;
constexpr unsigned char kLastSpecial = 0x9F;

// 0x80-0x9F; zero marks a byte the code page leaves undefined.
constexpr std::array<char32_t, 32> kSpecials = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `pos`; returns U+FFFD for malformed input and advances past it.
char32_t decodeUtf8(std::string_view s, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(s[pos++]);
    if (lead < 0x80)
        return lead;
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        return 0xFFFD;
    }
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size() || (static_cast<unsigned char>(s[pos]) & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[pos++]) & 0x3F);
    }
    return cp;
}

bool isLowerWithPartner(unsigned char c) {
    return (c >= 'a' && c <= 'z') || c == 0x9A || c == 0x9C || c == 0x9E || c == 0xFF ||
           (c >= 0xE0 && c <= 0xFE && c != 0xF7);
}

bool isUpperWithPartner(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F ||
           (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

} // namespace

char32_t toUnicode(unsigned char byte) {
    if (byte >= kFirstSpecial && byte <= kLastSpecial) {
        const char32_t mapped = kSpecials[byte - kFirstSpecial];
        return mapped != 0 ? mapped : byte;
    }
    return byte;
}

int fromUnicode(char32_t cp) {
    if (cp < kFirstSpecial || (cp > kLastSpecial && cp <= 0xFF))
        return static_cast<int>(cp);
    for (std::size_t i = 0; i < kSpecials.size(); ++i) {
        const char32_t mapped = kSpecials[i];
        if (mapped == cp || (mapped == 0 && cp == kFirstSpecial + i))
            return static_cast<int>(kFirstSpecial + i);
    }
    return -1;
}

std::string toUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        appendUtf8(out, toUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string fromUtf8(std::string_view utf8, char fallback) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const int byte = fromUnicode(decodeUtf8(utf8, pos));
        out += byte < 0 ? fallback : static_cast<char>(byte);
    }
    return out;
}

char toUpper(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (!isLowerWithPartner(u))
        return c;
    switch (u) {
    case 0x9A:
    case 0x9C:
    case 0x9E:
        return static_cast<char>(u - 0x10);
    case 0xFF:
        return static_cast<char>(0x9F);
    default:
        return static_cast<char>(u - 0x20);
    }
}

char toLower(char c) {
    const auto u = static_cast<unsigned char>(c);
    if (!isUpperWithPartner(u))
        return c;
    switch (u) {
    case 0x8A:
    case 0x8C:
    case 0x8E:
        return static_cast<char>(u + 0x10);
    case 0x9F:
        return static_cast<char>(0xFF);
    default:
        return static_cast<char>(u + 0x20);
    }
}

std::string toUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = toUpper(c);
    return out;
}

std::string toLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = toLower(c);
    return out;
}

} // namespace win1252
