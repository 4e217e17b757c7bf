#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>

// A membership map over the 256 codes of an 8-bit character.
class CharSet {
public:
    CharSet() = default;

    // The set of the characters in `chars`.
    static CharSet of(std::string_view chars);
    // The set of every code from `first` to `last`, both included.
    static CharSet range(unsigned char first, unsigned char last);

    bool contains(char c) const { return m_bits.test(static_cast<unsigned char>(c)); }
    bool contains(unsigned char c) const { return m_bits.test(c); }
    std::size_t count() const { return m_bits.count(); }

    CharSet& add(char c);
    CharSet& add(std::string_view chars);
    CharSet& addRange(unsigned char first, unsigned char last);
    CharSet& remove(char c);

    CharSet operator|(const CharSet& other) const;
    CharSet& operator|=(const CharSet& other);
    bool operator==(const CharSet& other) const = default;

private:
    std::bitset<256> m_bits;
};
