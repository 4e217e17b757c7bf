#pragma once

#include "abi/MutableRecordView.h"
#include "abi/RecordLayouts.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace paylib {

struct DtaEntry;

// The 348-byte DTA information record of GetDTAInfo / PutDTAInfo as this library fills it.
// The front end's own fields (payment kind, execution date, creditor identifier, mandate
// reference and date, the two debit settings) are those of abi/RecordLayouts.h; the rest is
// the library's view of the entry, for display. The authoritative data stays inside the
// library, found again through entry number and read stamp.
namespace dtainfo {
using zalvo::Field;
using zalvo::kInt32Width;

inline constexpr Field kEntryNumber{0, kInt32Width};                // 1 = first entry of the read
inline constexpr Field kPaymentKind = zalvo::dtainfo::kPaymentKind; // 0 credit, 1 debit
inline constexpr Field kReadStamp{8, kInt32Width};
inline constexpr Field kLogicalFile{12, kInt32Width}; // 1-based
inline constexpr Field kTextKey{16, 6};
inline constexpr Field kCounterpartyBankCode{22, 9};
inline constexpr Field kCounterpartyAccount{31, 11};
inline constexpr Field kAmountCents{42, 13};
inline constexpr Field kOriginatorBankCode{55, 9};
inline constexpr Field kOriginatorAccount{64, 11};
inline constexpr Field kFirstPurposeLine{75, 28};
inline constexpr Field kFileExecutionDate{103, 9}; // A record, empty when open
inline constexpr Field kExecutionDate = zalvo::dtainfo::kExecutionDate;
inline constexpr Field kOriginatorName{121, 56};
inline constexpr Field kCreditorId = zalvo::dtainfo::kCreditorId;
inline constexpr Field kMandateReference = zalvo::dtainfo::kMandateReference;
inline constexpr Field kMandateDate = zalvo::dtainfo::kMandateDate;
inline constexpr Field kSequenceSetting = zalvo::dtainfo::kFirstDebitSetting;
inline constexpr Field kSchemeSetting = zalvo::dtainfo::kSecondDebitSetting;
inline constexpr Field kCounterpartyName{272, 55};
inline constexpr Field kPurposeLines{327, kInt32Width};
inline constexpr Field kExtensionCount{331, kInt32Width};
inline constexpr Field kReserved{335, 13};
inline constexpr std::size_t kSize = zalvo::dtainfo::kSize;

inline constexpr std::int32_t kKindCreditTransfer = 0;
inline constexpr std::int32_t kKindDirectDebit = zalvo::dtainfo::kKindDirectDebit;

// First debit setting: the sequence type of the direct debit.
inline constexpr std::int32_t kSequenceFirst = 1;
inline constexpr std::int32_t kSequenceRecurring = 2;
inline constexpr std::int32_t kSequenceFinal = 3;
inline constexpr std::int32_t kSequenceOneOff = 4;
// Second debit setting: the scheme. 100 (what the front end sends) takes it from the text
// key: 04xxx (Abbuchungsauftrag) is B2B, every other debit key CORE.
inline constexpr std::int32_t kSchemeByTextKey = 100;
inline constexpr std::int32_t kSchemeCore = 101;
inline constexpr std::int32_t kSchemeB2B = 102;

static_assert(kEntryNumber.end() == kPaymentKind.offset);
static_assert(kPaymentKind.end() == kReadStamp.offset);
static_assert(kReadStamp.end() == kLogicalFile.offset);
static_assert(kLogicalFile.end() == kTextKey.offset);
static_assert(kTextKey.end() == kCounterpartyBankCode.offset);
static_assert(kCounterpartyBankCode.end() == kCounterpartyAccount.offset);
static_assert(kCounterpartyAccount.end() == kAmountCents.offset);
static_assert(kAmountCents.end() == kOriginatorBankCode.offset);
static_assert(kOriginatorBankCode.end() == kOriginatorAccount.offset);
static_assert(kOriginatorAccount.end() == kFirstPurposeLine.offset);
static_assert(kFirstPurposeLine.end() == kFileExecutionDate.offset);
static_assert(kFileExecutionDate.end() == kExecutionDate.offset);
static_assert(kExecutionDate.end() == kOriginatorName.offset);
static_assert(kOriginatorName.end() == kCreditorId.offset);
static_assert(kCreditorId.end() == kMandateReference.offset);
static_assert(kMandateReference.end() == kMandateDate.offset);
static_assert(kMandateDate.end() == kSequenceSetting.offset);
static_assert(kSequenceSetting.end() == kSchemeSetting.offset);
static_assert(kSchemeSetting.end() == kCounterpartyName.offset);
static_assert(kCounterpartyName.end() == kPurposeLines.offset);
static_assert(kPurposeLines.end() == kExtensionCount.offset);
static_assert(kExtensionCount.end() == kReserved.offset);
static_assert(kReserved.end() == kSize);
} // namespace dtainfo

// How this library fills a caller-owned information record for one entry.
class DtaInfoRecord {
public:
    // Zeroes the record and fills the library's fields for the entry; the front end's fields
    // stay zero.
    static void fill(zalvo::MutableRecordView record, const DtaEntry& entry,
                     std::int32_t entryNumber, std::int32_t readStamp,
                     const std::string& fileExecutionDate);
};

} // namespace paylib
