#pragma once

#include <string>

namespace paylib {

// One payment record (marker 1) of the Bundesbank bank-code file, or one bank of the data
// built into the library (which has no postcode, city or short name). Texts are
// Windows-1252, without the blanks that pad the fixed-width fields.
struct BankRecord {
    std::string bankCode;     // 8 digits
    std::string name;         // field 3, bank name without legal form
    std::string postcode;     // field 4
    std::string city;         // field 5
    std::string shortName;    // field 6
    std::string bic;          // field 8, 8 or 11 characters, empty when none
    std::string checkMethod;  // field 9, account check-digit method; empty when not known
    char changeCode = 'U';    // field 11: A, M, U or D (deleted)
    bool deletionAnnounced{}; // field 12
    std::string successor;    // field 13, "00000000" (or empty) when none
    std::string ibanRule;     // field 14, NNNNVV; "000000" = standard derivation

    bool deleted() const { return changeCode == 'D'; }
    bool hasSuccessor() const { return !successor.empty() && successor != "00000000"; }
};

} // namespace paylib
