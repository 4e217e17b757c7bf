#pragma once

#include "paylib/bank/BankTable.h"
#include "paylib/bank/EmbeddedBankFile.h"

namespace paylibtest {

// The bank-code table the library ships, for tests of its core.
inline const paylib::BankTable& embeddedTable() {
    static const paylib::BankTable table = [] {
        paylib::BankTable t;
        t.parse(paylib::embeddedBankFile());
        return t;
    }();
    return table;
}

} // namespace paylibtest
