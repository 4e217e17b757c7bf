#include "paylib/sepa/SepaText.h"

#include "helpers/SepaCharSet.h"
#include "helpers/TextHelpers.h"
#include "platform/Win1252.h"

namespace paylib {
namespace {

constexpr unsigned char kBasicWithUmlauts = 1;
constexpr unsigned char kBasic = 0;
constexpr char kApostrophe = '\'';
constexpr std::size_t kMaxIdentifier = 35;
constexpr std::size_t kMaxName = 70;

const CharSet& textSet() {
    static const CharSet set = SepaCharSetFor(kBasicWithUmlauts).add(kApostrophe);
    return set;
}

const CharSet& identifierSet() {
    static const CharSet set = SepaCharSetFor(kBasic).add(kApostrophe);
    return set;
}

// Base letter of an accented Windows-1252 letter, or 0.
char baseLetter(unsigned char c) {
    // 0xC0..0xFF, one entry per code; 0 where no single base letter fits.
    using namespace std::string_view_literals;
    static constexpr std::string_view kFromC0 = "AAAAAA\0CEEEEIIII\0NOOOOO\0\0UUUUY\0\0"
                                                "aaaaaa\0ceeeeiiii\0nooooo\0\0uuuuy\0y"sv;
    switch (c) {
    case 0x8A: // Š
        return 'S';
    case 0x8E: // Ž
        return 'Z';
    case 0x9A: // š
        return 's';
    case 0x9E: // ž
        return 'z';
    case 0x9F: // Ÿ
        return 'Y';
    default:
        break;
    }
    if (c < 0xC0)
        return 0;
    return kFromC0[c - 0xC0];
}

} // namespace

bool SepaText::toSepa(std::string_view text, std::string& sepa) {
    sepa.clear();
    sepa.reserve(text.size());
    for (char c : text) {
        if (textSet().contains(c)) {
            sepa += c;
            continue;
        }
        const char base = baseLetter(static_cast<unsigned char>(c));
        if (base == 0)
            return false;
        sepa += base;
    }
    return true;
}

bool SepaText::name(std::string_view text, std::string& name) {
    return toSepa(TrimText(text), name) && !name.empty() && name.size() <= kMaxName;
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

std::string SepaText::xml(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return win1252::toUtf8(escaped);
}

} // namespace paylib
