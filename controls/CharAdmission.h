#pragma once

class CharClassTable;

// Picture-mask characters that are not table slots.
inline constexpr char kMaskAnyText = 'X';
inline constexpr char kMaskDigits = '9';

// "X", "9" and the table slots '1' to '8'.
bool IsPictureMask(char mask);

// The verdict on one candidate character and the character that is stored if admitted.
struct CharAdmission {
    char character;
    bool admitted;
};

// Applies the class's case rule to `candidate` (`preceding` is the character before it, a
// blank at the start), then tests the result against the class of `mask`: "X" admits codes 1
// to 255, "9" digits and blank, '1' to '8' the members of that slot of `table`. Code 0 and
// unknown masks admit nothing.
CharAdmission AdmitChar(char mask, char candidate, char preceding, const CharClassTable& table);
