#include "helpers/SepaCharSet.h"

#include "platform/Win1252Literal.h"

namespace {

using namespace win1252::literals;

constexpr unsigned char kBasicWithUmlauts = 1;
constexpr unsigned char kExtended = 2;

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

std::string_view GermanLetters() {
    return "ÄÖÜßäöü"_win1252;
}

CharSet SepaCharSetFor(unsigned char mode) {
    switch (mode) {
    case kBasicWithUmlauts:
        return basic().add(GermanLetters());
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
