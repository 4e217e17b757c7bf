#include "helpers/TextHelpers.h"

#include "platform/Win1252.h"

#include <algorithm>
#include <limits>

namespace {

constexpr char kBlank = ' ';

int clampCount(int count) {
    return std::clamp(count, 0, static_cast<int>(kShortTextMax));
}

} // namespace

bool IsWhiteSpace(char c) {
    return c == '\0' || c == ' ' || (c >= '\t' && c <= '\r');
}

std::string_view TrimView(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kShortTextMax));
    // A text that sorts at or below as many blanks is empty, blanks only, or has a control
    // character before its first printable one: all of them count as empty.
    const auto firstNonBlank = text.find_first_not_of(kBlank);
    if (firstNonBlank == std::string_view::npos ||
        static_cast<unsigned char>(text[firstNonBlank]) < static_cast<unsigned char>(kBlank))
        return {};
    std::size_t start = 0;
    while (start + 1 < text.size() && IsWhiteSpace(text[start]))
        ++start;
    std::size_t end = text.size();
    while (end > start + 1 && IsWhiteSpace(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

std::string TrimText(std::string_view text) {
    return std::string(TrimView(text));
}

std::string DeleteChars(std::string_view text, std::string_view charSet) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text)
        if (charSet.find(c) == std::string_view::npos)
            result += c;
    return result;
}

std::string ReplaceChar(std::string_view text, char oldChar, char newChar) {
    std::string result(text.substr(0, std::min(text.size(), kShortTextMax)));
    std::replace(result.begin(), result.end(), oldChar, newChar);
    return result;
}

std::string BlanksToZeros(std::string_view text) {
    std::string result(text.substr(0, std::min(text.size(), kNumberTextMax)));
    std::replace(result.begin(), result.end(), kBlank, '0');
    return result;
}

std::string CharString(int count, char c) {
    return std::string(static_cast<std::size_t>(clampCount(count)), c);
}

std::string Spaces(int count) {
    return CharString(count, kBlank);
}

std::string JustifyText(std::string_view text, int width, char mode) {
    const auto w = static_cast<std::size_t>(clampCount(width));
    std::string result(text.substr(0, std::min(text.size(), w)));
    const std::size_t room = w - result.size();
    switch (win1252::toUpper(mode)) {
    case 'C':
    case 'Z':
        return std::string(room / 2, kBlank) + result + std::string(room - room / 2, kBlank);
    case 'R':
        return std::string(room, kBlank) + result;
    default:
        return result + std::string(room, kBlank);
    }
}

std::string UpperCaseGerman(std::string_view text) {
    // The case table already maps ä, ö, ü to Ä, Ö, Ü.
    return win1252::toUpper(text.substr(0, std::min(text.size(), kShortTextMax)));
}

std::int64_t TextToInt64(std::string_view text) {
    text = text.substr(0, std::min(text.size(), kNumberTextMax));
    bool negative = false;
    std::size_t pos = 0;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size())
        return 0;
    // Accumulate towards the sign so that the most negative value is reachable.
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9')
            return 0;
        const int digit = c - '0';
        if (negative) {
            if (value < (kMin + digit) / 10)
                return 0;
            value = value * 10 - digit;
        } else {
            if (value > (kMax - digit) / 10)
                return 0;
            value = value * 10 + digit;
        }
    }
    return value;
}
