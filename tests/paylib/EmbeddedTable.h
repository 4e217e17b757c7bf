#pragma once

#include "paylib/bank/BankTable.h"
#include "paylib/bank/EmbeddedBankTable.h"

namespace paylibtest {

// The bank data the library ships, as a table, for tests of its core.
inline const paylib::BankTable& embeddedTable() {
    static const paylib::BankTable table = paylib::EmbeddedBankTable::load();
    return table;
}

} // namespace paylibtest
