#include "helpers/NumberHelpers.h"

#include "helpers/TextHelpers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr long double kZeroBelow = 1e-9L;
// Widths beyond the result bound only shift where the cut falls; more never shows.
constexpr int kMaxWidth = 255;
constexpr int kMaxDecimals = kMaxWidth;
constexpr int kCentsWidth = 15;
constexpr int kCentsDecimals = 2;
constexpr long double kCentsPerUnit = 100.0L;

// Optional '-', digits, at most one '.', at least one digit.
bool isWellFormedDecimal(std::string_view text) {
    std::size_t pos = text.starts_with('-') ? 1 : 0;
    bool digitSeen = false;
    bool pointSeen = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c >= '0' && c <= '9') {
            digitSeen = true;
        } else if (c == '.' && !pointSeen) {
            pointSeen = true;
        } else {
            return false;
        }
    }
    return digitSeen;
}

std::string overflowFiller(int width) {
    return std::string(static_cast<std::size_t>(std::clamp(width, 0, kFormattedNumberMax)), '$');
}

} // namespace

long double DecimalTextToNumber(std::string_view text) {
    std::string cleaned(text.substr(0, std::min(text.size(), kNumberTextMax)));
    for (char& c : cleaned) {
        if (c == ',')
            c = '.';
        else if (c != '-' && c != '.' && (c < '0' || c > '9'))
            c = ' ';
    }
    std::string number = TrimText(cleaned);
    if (!isWellFormedDecimal(number))
        return 0;
    // from_chars takes no sign of its own for this form; it also ignores the C locale.
    const bool negative = number.starts_with('-');
    if (negative)
        number.erase(0, 1);
    if (number.starts_with('.'))
        number.insert(0, 1, '0');
    long double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                              std::chars_format::fixed);
    if (error != std::errc() || end != number.data() + number.size())
        return 0;
    return negative ? -value : value;
}

std::string FormatNumber(int width, int decimals, bool grouping, long double value) {
    const int w = std::min(width, kMaxWidth);
    if (w <= 0)
        return {};
    const int d = std::clamp(decimals, 0, kMaxDecimals);
    if (!std::isfinite(value))
        return overflowFiller(w);
    if (std::fabs(value) < kZeroBelow)
        value = 0;

    // Room for any number that could still fit into the widest width.
    std::array<char, 2 * kMaxWidth + kMaxDecimals> buffer{};
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed, d);
    if (error != std::errc())
        return overflowFiller(w);
    std::string text(buffer.data(), end);
    // A value that rounds to zero shows no sign.
    if (text.starts_with('-') && text.find_first_of("123456789") == std::string::npos)
        text.erase(0, 1);
    if (const auto point = text.find('.'); point != std::string::npos)
        text[point] = ',';

    if (grouping) {
        // Digits before the comma (or the end) get a '.' in front of every full group of three.
        const std::size_t comma = d > 0 ? text.find(',') : text.size();
        std::string grouped;
        bool digitKept = false;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const char c = text[i];
            if (i < comma && digitKept && (comma - i) % 3 == 0)
                grouped += '.';
            grouped += c;
            digitKept = digitKept || (c >= '0' && c <= '9');
        }
        text = std::move(grouped);
    }

    if (text.size() > static_cast<std::size_t>(w))
        return overflowFiller(w);
    std::string result = Spaces(w - static_cast<int>(text.size())) + text;
    result.resize(std::min(result.size(), static_cast<std::size_t>(kFormattedNumberMax)));
    return result;
}

std::string FormatCents(bool cents, std::int64_t value) {
    long double number = static_cast<long double>(value);
    if (cents)
        number /= kCentsPerUnit;
    return TrimText(FormatNumber(kCentsWidth, cents ? kCentsDecimals : 0, true, number));
}

bool ContainsBits(std::int64_t value, std::int64_t mask) {
    return (value & mask) == mask;
}
