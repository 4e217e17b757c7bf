#include "helpers/SepaCharSet.h"

namespace {

constexpr unsigned char kBasicWithUmlauts = 1;
constexpr unsigned char kExtended = 2;

// Ä Ö Ü ß ä ö ü in Windows-1252.
constexpr std::string_view kGermanLetters = "\xC4\xD6\xDC\xDF\xE4\xF6\xFC";

CharSet basic() {
    return CharSet::of(" ()+,-./:?").addRange('0', '9').addRange('A', 'Z').addRange('a', 'z');
}

struct State {
    CharSet set = basic();
    unsigned char mode = 0;
};

State& state() {
    static State s;
    return s;
}

} // namespace

CharSet SepaCharSetFor(unsigned char mode) {
    switch (mode) {
    case kBasicWithUmlauts:
        return basic().add(kGermanLetters);
    case kExtended:
        return basic().add("#*@");
    default:
        return basic();
    }
}

const CharSet& SepaCharSet() {
    return state().set;
}

unsigned char SepaCharSetMode() {
    return state().mode;
}

void SelectSepaCharSet(unsigned char mode) {
    state().set = SepaCharSetFor(mode);
    state().mode = mode;
}
