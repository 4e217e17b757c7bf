#include "controls/CharAdmission.h"

#include "controls/CharClassTable.h"

bool IsPictureMask(char mask) {
    return mask == kMaskAnyText || mask == kMaskDigits || CharClassTable::isSlot(mask);
}

CharAdmission AdmitChar(char mask, char candidate, char preceding, const CharClassTable& table) {
    if (candidate == '\0')
        return {candidate, false};
    if (mask == kMaskAnyText)
        return {candidate, true};
    if (mask == kMaskDigits)
        return {candidate, candidate == ' ' || (candidate >= '0' && candidate <= '9')};
    if (!CharClassTable::isSlot(mask))
        return {candidate, false};
    const char converted = ApplyCaseRule(table.caseRule(mask), candidate, preceding);
    return {converted, converted != '\0' && table.charSet(mask).contains(converted)};
}
