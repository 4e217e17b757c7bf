#include "platform/Win1252.h"

namespace win1252 {
namespace {

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

bool isLowerWithPartner(unsigned char c) {
    return (c >= 'a' && c <= 'z') || c == 0x9A || c == 0x9C || c == 0x9E || c == 0xFF ||
           (c >= 0xE0 && c <= 0xFE && c != 0xF7);
}

bool isUpperWithPartner(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F ||
           (c >= 0xC0 && c <= 0xDE && c != 0xD7);
}

} // namespace

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
