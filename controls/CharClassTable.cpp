#include "controls/CharClassTable.h"

namespace {

int slotIndex(char slot) {
    return slot - CharClassTable::kFirstSlot;
}

} // namespace

CharClassTable::CharClassTable() {
    for (int i = 0; i < kSlotCount; ++i) {
        m_slots[i].set = CharSet::range(1, 255);
        m_slots[i].substitution = static_cast<unsigned char>(kFirstSubstitution + i);
    }
}

void CharClassTable::setCharSet(char slot, const CharSet& set) {
    if (!isSlot(slot))
        return;
    CharSet stored = set;
    stored.remove('\0');
    m_slots[slotIndex(slot)].set = stored;
}

CharSet CharClassTable::charSet(char slot) const {
    return isSlot(slot) ? m_slots[slotIndex(slot)].set : CharSet();
}

void CharClassTable::setCaseRule(char slot, CaseRule rule) {
    if (isSlot(slot))
        m_slots[slotIndex(slot)].rule = rule;
}

CaseRule CharClassTable::caseRule(char slot) const {
    return isSlot(slot) ? m_slots[slotIndex(slot)].rule : CaseRule::None;
}

unsigned char CharClassTable::substitutionChar(char slot) const {
    return isSlot(slot) ? m_slots[slotIndex(slot)].substitution : 0;
}

const CharClassTable& CharClassTable::defaultTable() {
    static const CharClassTable table;
    return table;
}
