#pragma once

// How a character class converts a candidate before testing it.
enum class CaseRule : unsigned char {
    None = 0,
    Upper = 1,
    Lower = 2,
    // Upper case after a blank or "-", otherwise unchanged.
    Mixed = 3,
};

// `preceding` matters only for the mixed rule.
char ApplyCaseRule(CaseRule rule, char candidate, char preceding);
