#include "controls/CaseRule.h"

#include "platform/Win1252.h"

char ApplyCaseRule(CaseRule rule, char candidate, char preceding) {
    switch (rule) {
    case CaseRule::Upper:
        return win1252::toUpper(candidate);
    case CaseRule::Lower:
        return win1252::toLower(candidate);
    case CaseRule::Mixed:
        return preceding == ' ' || preceding == '-' ? win1252::toUpper(candidate) : candidate;
    case CaseRule::None:
        break;
    }
    return candidate;
}
