#include "paylib/bank/EmbeddedBankTable.h"

#include "paylib/bank/BankFileLocator.h"
#include "paylib/bank/EmbeddedBankData.h"
#include "platform/Win1252.h"

#include <vector>

namespace paylib {

BankTable EmbeddedBankTable::load() {
    std::vector<BankRecord> records;
    records.reserve(embeddedBanks().size());
    for (const EmbeddedBank& bank : embeddedBanks()) {
        BankRecord& record = records.emplace_back();
        record.bankCode = bank.bankCode;
        record.name = win1252::fromUtf8(bank.name);
        record.bic = bank.bic;
        record.checkMethod = bank.checkMethod;
        record.ibanRule = bank.ibanRule;
    }
    BankTable table;
    if (table.assign(std::move(records)))
        table.setValidFrom(BankFileLocator::dateInName(embeddedBankDataDate()));
    return table;
}

} // namespace paylib
