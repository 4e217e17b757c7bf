#include "paylib/sepa/SepaText.h"

#include "helpers/SepaCharSet.h"
#include "helpers/TextHelpers.h"
#include "platform/Win1252.h"

#include <array>
#include <cstdint>

namespace paylib {
namespace {

constexpr unsigned char kBasicWithUmlauts = 1;
constexpr unsigned char kBasic = 0;
constexpr char kApostrophe = '\'';
// What German banks accept beyond the EPC set (the old DTAUS characters).
constexpr std::string_view kGermanBankExtras = "&*$%";
constexpr std::size_t kMaxIdentifier = 35;
constexpr std::size_t kCodes = 256;
constexpr unsigned char kFirstUpperLatin = 0xC0;

const CharSet& identifierSet() {
    static const CharSet set = SepaCharSetFor(kBasic).add(kApostrophe);
    return set;
}

// Windows-1252 letters outside the set and what they are written as; "" refuses.
std::string_view transliteration(unsigned char c) {
    // 0xC0..0xFF, one entry per code.
    static constexpr std::array<std::string_view, 64> kFromC0 = {
        "A", "A", "A", "A", "",  "A", "AE", "C", "E",  "E", "E", "E", "I", "I", "I",  "I",
        "D", "N", "O", "O", "O", "O", "",   "",  "OE", "U", "U", "U", "",  "Y", "TH", "",
        "a", "a", "a", "a", "",  "a", "ae", "c", "e",  "e", "e", "e", "i", "i", "i",  "i",
        "d", "n", "o", "o", "o", "o", "",   "",  "oe", "u", "u", "u", "",  "y", "th", "y"};
    switch (c) {
    case 0x8A: // Š
        return "S";
    case 0x8C: // Œ
        return "OE";
    case 0x8E: // Ž
        return "Z";
    case 0x9A: // š
        return "s";
    case 0x9C: // œ
        return "oe";
    case 0x9E: // ž
        return "z";
    case 0x9F: // Ÿ
        return "Y";
    default:
        break;
    }
    return c < kFirstUpperLatin ? std::string_view() : kFromC0[c - kFirstUpperLatin];
}

// Per code: itself when in the set, its transliteration, or nothing (refused).
constexpr std::size_t kLongestForm = 2;

struct SepaForm {
    std::array<char, kLongestForm> text{};
    std::uint8_t size = 0;
};

const std::array<SepaForm, kCodes>& sepaForms() {
    static const std::array<SepaForm, kCodes> forms = [] {
        const CharSet set =
            SepaCharSetFor(kBasicWithUmlauts).add(kApostrophe).add(kGermanBankExtras);
        std::array<SepaForm, kCodes> table{};
        for (std::size_t code = 0; code < kCodes; ++code) {
            const auto c = static_cast<unsigned char>(code);
            const std::string_view form =
                set.contains(c) ? std::string_view(reinterpret_cast<const char*>(&c), 1)
                                : transliteration(c);
            form.copy(table[code].text.data(), table[code].text.size());
            table[code].size = static_cast<std::uint8_t>(form.size());
        }
        return table;
    }();
    return forms;
}

// Per code: the UTF-8 bytes of the character, XML markup escaped.
const std::array<std::string, kCodes>& xmlForms() {
    static const std::array<std::string, kCodes> forms = [] {
        std::array<std::string, kCodes> table;
        for (std::size_t code = 0; code < kCodes; ++code)
            table[code] = win1252::toUtf8(std::string(1, static_cast<char>(code)));
        table['&'] = "&amp;";
        table['<'] = "&lt;";
        table['>'] = "&gt;";
        table['\''] = "&apos;";
        table['"'] = "&quot;";
        return table;
    }();
    return forms;
}

} // namespace

bool SepaText::appendSepa(std::string_view text, std::string& sepa) {
    // Room for the longest forms first, so the loop writes without checks.
    const auto& forms = sepaForms();
    const std::size_t start = sepa.size();
    sepa.resize(start + text.size() * kLongestForm);
    char* out = sepa.data() + start;
    for (char c : text) {
        const SepaForm& form = forms[static_cast<unsigned char>(c)];
        if (form.size == 0) {
            sepa.resize(start);
            return false;
        }
        out[0] = form.text[0];
        out[1] = form.text[1];
        out += form.size;
    }
    sepa.resize(static_cast<std::size_t>(out - sepa.data()));
    return true;
}

bool SepaText::toSepa(std::string_view text, std::string& sepa) {
    sepa.clear();
    return appendSepa(text, sepa);
}

SepaText::Fit SepaText::fit(std::string_view text, std::size_t limit, bool required,
                            std::string& out) {
    out.clear();
    if (!appendSepa(TrimView(text), out) || (required && out.empty()))
        return Fit::Refused;
    if (out.size() <= limit)
        return Fit::Fits;
    out.resize(limit);
    // A cut that ends in a blank would leave it trailing.
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return Fit::Cut;
}

bool SepaText::isIdentifier(std::string_view text, bool blanksAllowed) {
    if (text.empty() || text.size() > kMaxIdentifier || text.front() == '/' || text.back() == '/' ||
        text.find("//") != std::string_view::npos)
        return false;
    for (char c : text) {
        if (!identifierSet().contains(c) || (c == ' ' && !blanksAllowed))
            return false;
    }
    return true;
}

void SepaText::appendXml(std::string_view text, std::string& out) {
    const auto& forms = xmlForms();
    for (char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x80 && code != '&' && code != '<' && code != '>' && code != '\'' && code != '"')
            out += c;
        else
            out += forms[code];
    }
}

std::string SepaText::xml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    appendXml(text, escaped);
    return escaped;
}

} // namespace paylib
