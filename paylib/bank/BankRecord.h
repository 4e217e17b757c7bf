#pragma once

#include <string>

namespace paylib {

// One payment record (marker 1) of the Bundesbank bank-code file. Texts are Windows-1252,
// without the blanks that pad the fixed-width fields.
struct BankRecord {
    std::string bankCode;     // 8 digits
    std::string name;         // field 3, bank name without legal form
    std::string postcode;     // field 4
    std::string city;         // field 5
    std::string shortName;    // field 6
    std::string bic;          // field 8, 8 or 11 characters, empty when none
    std::string checkMethod;  // field 9, account check-digit method (not verified here)
    char changeCode = 'U';    // field 11: A, M, U or D (deleted)
    bool deletionAnnounced{}; // field 12
    std::string successor;    // field 13, "00000000" when none
    std::string ibanRule;     // field 14, NNNNVV; "000000" = standard derivation

    bool deleted() const { return changeCode == 'D'; }
    // The rule number without its version, e.g. 1 for "000100".
    int ibanRuleNumber() const;
};

} // namespace paylib
