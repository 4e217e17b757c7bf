#pragma once

#include "controls/CaseRule.h"
#include "helpers/CharSet.h"

#include <array>

// The classes behind the picture-mask characters '1' to '8' of an entry field. A new table
// admits every code from 1 to 255 in every slot; code 0 is never a member.
class CharClassTable {
public:
    static constexpr char kFirstSlot = '1';
    static constexpr char kLastSlot = '8';
    static constexpr int kSlotCount = kLastSlot - kFirstSlot + 1;
    // Substitution character of slot '1'; the others follow in order.
    static constexpr unsigned char kFirstSubstitution = 241;

    CharClassTable();

    static bool isSlot(char slot) { return slot >= kFirstSlot && slot <= kLastSlot; }

    // Stores `set` less code 0; ignored for a character that is no slot.
    void setCharSet(char slot, const CharSet& set);
    // Empty for a character that is no slot.
    CharSet charSet(char slot) const;

    // Ignored for a character that is no slot.
    void setCaseRule(char slot, CaseRule rule);
    // None for a character that is no slot.
    CaseRule caseRule(char slot) const;

    // Zero for a character that is no slot.
    unsigned char substitutionChar(char slot) const;

    // The table of every field that is given none.
    static const CharClassTable& defaultTable();

private:
    struct Slot {
        CharSet set;
        CaseRule rule = CaseRule::None;
        unsigned char substitution = 0;
    };

    std::array<Slot, kSlotCount> m_slots;
};
