#include "paylib/dta/DtaInfoRecord.h"

#include "abi/Record.h"
#include "paylib/dta/DtaEntry.h"

#include <algorithm>
#include <cstring>

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

void DtaInfoRecord::fill(const DtaEntry& entry, std::int32_t entryNumber, std::int32_t readStamp,
                         const std::string& fileExecutionDate) {
    std::memset(m_bytes, 0, dtainfo::kSize);
    putInt32(dtainfo::kEntryNumber, entryNumber);
    putInt32(dtainfo::kPaymentKind,
             entry.directDebit ? dtainfo::kKindDirectDebit : dtainfo::kKindCreditTransfer);
    putInt32(dtainfo::kReadStamp, readStamp);
    putInt32(dtainfo::kLogicalFile, static_cast<std::int32_t>(entry.logicalFile));
    putText(dtainfo::kTextKey, zeroPadded(entry.textKey, kTextKeyDigits));
    putText(dtainfo::kCounterpartyBankCode,
            zeroPadded(entry.counterpartyBankCode, kBankCodeDigits));
    putText(dtainfo::kCounterpartyAccount, std::to_string(entry.counterpartyAccount));
    putText(dtainfo::kAmountCents, std::to_string(entry.amountCents));
    putText(dtainfo::kOriginatorBankCode, zeroPadded(entry.originatorBankCode, kBankCodeDigits));
    putText(dtainfo::kOriginatorAccount, std::to_string(entry.originatorAccount));
    putText(dtainfo::kFirstPurposeLine, entry.firstPurposeLine);
    putText(dtainfo::kFileExecutionDate, fileExecutionDate);
    putText(dtainfo::kOriginatorName, entry.originatorName);
    putText(dtainfo::kCounterpartyName, entry.counterpartyName);
    putInt32(dtainfo::kPurposeLines, entry.purposeLines);
    putInt32(dtainfo::kExtensionCount, entry.extensionCount);
}

std::int32_t DtaInfoRecord::int32(zalvo::Field field) const {
    std::int32_t value = 0;
    std::memcpy(&value, m_bytes + field.offset, sizeof value);
    return value;
}

std::string DtaInfoRecord::text(zalvo::Field field) const {
    return zalvo::Record::textOf(m_bytes + field.offset, field.width);
}

bool DtaInfoRecord::terminated(zalvo::Field field) const {
    return std::memchr(m_bytes + field.offset, '\0', field.width) != nullptr;
}

void DtaInfoRecord::putText(zalvo::Field field, const std::string& text) {
    // Every library text fits its field by construction; the cut is a guard, not a rule.
    const std::size_t count = std::min(text.size(), field.maxChars());
    std::memcpy(m_bytes + field.offset, text.data(), count);
    m_bytes[field.offset + count] = '\0';
}

void DtaInfoRecord::putInt32(zalvo::Field field, std::int32_t value) {
    std::memcpy(m_bytes + field.offset, &value, sizeof value);
}

} // namespace paylib
