#include "paylib/dta/DtaText.h"

#include "paylib/sepa/SepaDates.h"
#include "platform/Win1252Literal.h"

#include <algorithm>
#include <array>

namespace paylib::dtatext {
namespace {

constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;

// Asked for every byte of every text field, so answered from a table.
constexpr std::array<bool, 256> kTextBytes = [] {
    std::array<bool, 256> table{};
    for (unsigned byte = kFirstPrintable; byte < table.size(); ++byte) {
        table[byte] = true;
    }
    table[kDelete] = false;
    // The five bytes Windows-1252 leaves undefined.
    for (const unsigned undefined : {0x81u, 0x8Du, 0x8Fu, 0x90u, 0x9Du}) {
        table[undefined] = false;
    }
    return table;
}();

} // namespace

bool isTextByte(unsigned char byte) {
    return kTextBytes[byte];
}

char toWin1252(unsigned char byte) {
    switch (byte) {
    case '[':
        return win1252::character(U'Ä');
    case '\\':
        return win1252::character(U'Ö');
    case ']':
        return win1252::character(U'Ü');
    case '{':
        return win1252::character(U'ä');
    case '|':
        return win1252::character(U'ö');
    case '}':
        return win1252::character(U'ü');
    case '~':
        return win1252::character(U'ß');
    default:
        return static_cast<char>(byte);
    }
}

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string decodeField(std::string_view field) {
    std::string text = trimBlanks(field);
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return toWin1252(static_cast<unsigned char>(c)); });
    return text;
}

std::string formatCents(std::uint64_t cents) {
    std::string euros = std::to_string(cents / 100);
    const auto rest = static_cast<unsigned>(cents % 100);
    euros += ',';
    euros += static_cast<char>('0' + rest / 10);
    euros += static_cast<char>('0' + rest % 10);
    return euros;
}

std::string formatDate(std::string_view digits) {
    if (digits.size() != 8) {
        return std::string(digits);
    }
    std::string out;
    out.reserve(10);
    out.append(digits.substr(0, 2)).append(".");
    out.append(digits.substr(2, 2)).append(".");
    out.append(digits.substr(4, 4));
    return out;
}

bool isValidDate(std::string_view digits) {
    return SepaDates::dayNumber(digits) >= 0;
}

} // namespace paylib::dtatext
