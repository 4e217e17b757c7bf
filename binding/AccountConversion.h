#pragma once

#include "abi/Record.h"
#include "binding/OwnerWindow.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zalvo {

// The 69-byte account record of ConvertBLZKonto and the conversion around it: bank code and
// account number in, BIC and IBAN out. One instance lives as long as its dialog.
class AccountConversion {
public:
    struct Outcome {
        int32_t result;
        // What the library wrote, each read at most up to its field's width; both empty after
        // a negative result.
        std::string bic;
        std::string iban;
    };

    AccountConversion();

    // Zeroes the record, copies the trimmed texts into it (bank code cut to 8, account number
    // to 11 characters), calls ConvertBLZKonto and reports its result under that name.
    Outcome convert(OwnerWindow owner, std::string_view bankCodeText, std::string_view accountText);

    const Record& record() const { return m_record; }

private:
    Record m_record;
};

} // namespace zalvo
