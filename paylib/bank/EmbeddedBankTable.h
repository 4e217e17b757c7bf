#pragma once

#include "paylib/bank/BankTable.h"

namespace paylib {

// The bank data built into the library (data/bank-rules.tsv, generated into the library at
// build time) as a bank table: bank code, name, BIC, check method and IBAN rule of every
// bank, valid from the data's date until the day before the next quarterly file.
class EmbeddedBankTable {
public:
    static BankTable load();
};

} // namespace paylib
