#include "paylib/dta/DtaInfoRecord.h"

#include "paylib/dta/DtaEntry.h"

namespace paylib {
namespace {

constexpr int kBankCodeDigits = 8;
constexpr int kTextKeyDigits = 5;

std::string zeroPadded(std::uint64_t value, int digits) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits) {
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    }
    return text;
}

} // namespace

void DtaInfoRecord::fill(zalvo::MutableRecordView record, const DtaEntry& entry,
                         std::int32_t entryNumber, std::int32_t readStamp,
                         const std::string& fileExecutionDate) {
    // Every library text fits its field by construction; the view's cut is a guard, not a rule.
    record.zero();
    record.putInt32(dtainfo::kEntryNumber, entryNumber);
    record.putInt32(dtainfo::kPaymentKind,
                    entry.directDebit ? dtainfo::kKindDirectDebit : dtainfo::kKindCreditTransfer);
    record.putInt32(dtainfo::kReadStamp, readStamp);
    record.putInt32(dtainfo::kLogicalFile, static_cast<std::int32_t>(entry.logicalFile));
    record.putText(dtainfo::kTextKey, zeroPadded(entry.textKey, kTextKeyDigits));
    record.putText(dtainfo::kCounterpartyBankCode,
                   zeroPadded(entry.counterpartyBankCode, kBankCodeDigits));
    record.putText(dtainfo::kCounterpartyAccount, std::to_string(entry.counterpartyAccount));
    record.putText(dtainfo::kAmountCents, std::to_string(entry.amountCents));
    record.putText(dtainfo::kOriginatorBankCode,
                   zeroPadded(entry.originatorBankCode, kBankCodeDigits));
    record.putText(dtainfo::kOriginatorAccount, std::to_string(entry.originatorAccount));
    record.putText(dtainfo::kFirstPurposeLine, entry.firstPurposeLine());
    record.putText(dtainfo::kFileExecutionDate, fileExecutionDate);
    record.putText(dtainfo::kOriginatorName, entry.originatorName);
    record.putText(dtainfo::kCounterpartyName, entry.counterpartyName);
    record.putInt32(dtainfo::kPurposeLines, entry.purposeLines);
    record.putInt32(dtainfo::kExtensionCount, entry.extensionCount);
}

} // namespace paylib
