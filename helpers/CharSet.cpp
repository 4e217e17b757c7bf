#include "helpers/CharSet.h"

CharSet CharSet::of(std::string_view chars) {
    CharSet set;
    set.add(chars);
    return set;
}

CharSet CharSet::range(unsigned char first, unsigned char last) {
    CharSet set;
    set.addRange(first, last);
    return set;
}

CharSet& CharSet::add(char c) {
    m_bits.set(static_cast<unsigned char>(c));
    return *this;
}

CharSet& CharSet::add(std::string_view chars) {
    for (char c : chars)
        add(c);
    return *this;
}

CharSet& CharSet::addRange(unsigned char first, unsigned char last) {
    for (unsigned code = first; code <= last; ++code)
        m_bits.set(code);
    return *this;
}

CharSet& CharSet::remove(char c) {
    m_bits.reset(static_cast<unsigned char>(c));
    return *this;
}

CharSet CharSet::operator|(const CharSet& other) const {
    CharSet united = *this;
    united |= other;
    return united;
}

CharSet& CharSet::operator|=(const CharSet& other) {
    m_bits |= other.m_bits;
    return *this;
}
