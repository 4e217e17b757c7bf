#pragma once

#include <cstddef>
#include <cstdint>

// Layouts of the records and buffers that cross the payment library boundary. Records are
// laid out without gaps; text fields are zero-terminated Windows-1252 text. A field's width
// is the room up to the next field, so it holds at most width - 1 characters.
namespace zalvo {

// One field of a record: where it starts and how many bytes it spans.
struct Field {
    std::size_t offset;
    std::size_t width;
    constexpr std::size_t end() const { return offset + width; }
    constexpr std::size_t maxChars() const { return width - 1; }
};

inline constexpr std::size_t kInt32Width = 4;

// Plain buffers.
inline constexpr std::size_t kPathBufferSize = 256; // paths and file names, log-file name
inline constexpr std::size_t kMaxPathChars = kPathBufferSize - 1;
inline constexpr std::size_t kReadDTABufferSize = 100;
inline constexpr std::size_t kBankCodeBufferSize = 9;
inline constexpr std::size_t kBicBufferSize = 12;

// Eight digits DDMMYYYY, the form in which dates cross the boundary.
inline constexpr std::size_t kDateDigits = 8;

// Account record of ConvertBLZKonto: bank code and account in, BIC and IBAN out.
namespace account {
inline constexpr std::size_t kSize = 69;
inline constexpr Field kBankCode{0, 9};
inline constexpr Field kAccountNumber{9, 12};
inline constexpr Field kBic{21, 12};
inline constexpr Field kIban{33, 36};
inline constexpr std::size_t kBankCodeMaxChars = 8;
inline constexpr std::size_t kAccountNumberMaxChars = 11;
} // namespace account

// File header record of CreateXML and WriteDTAtoXML.
namespace fileheader {
inline constexpr std::size_t kSize = 404;
inline constexpr Field kExportPath{0, 256};
inline constexpr Field kPaymentType{256, kInt32Width};
inline constexpr Field kFileName{260, 36};
inline constexpr Field kMessageId{296, 36};
inline constexpr Field kInitiatingParty{332, 72};
inline constexpr int32_t kCreditTransfer = 0;
inline constexpr int32_t kDirectDebit = 1;
inline constexpr std::size_t kFileNameMaxChars = 35;
} // namespace fileheader

// Payment entry record of WriteXML. Spans reach to the next field; the dialogs write at most
// the field's own maximum plus the terminating zero.
namespace payment {
inline constexpr std::size_t kSize = 708;
inline constexpr Field kReference1{0, 11};
inline constexpr Field kExecutionDate{11, 9};
inline constexpr Field kOriginatorName{20, 71};
inline constexpr Field kOriginatorBic{91, 12};
inline constexpr Field kOriginatorIban{103, 107};
inline constexpr Field kCreditorId{210, 36};
inline constexpr Field kOriginatorBankCode{246, 9};
inline constexpr Field kOriginatorAccount{255, 12};
inline constexpr Field kRecipientName{267, 71};
inline constexpr Field kRecipientBic{338, 12};
inline constexpr Field kRecipientIban{350, 107};
inline constexpr Field kRecipientBankCode{457, 9};
inline constexpr Field kRecipientAccount{466, 17};
inline constexpr Field kAmountCents{483, 13};
inline constexpr Field kReference2{496, 11};
inline constexpr Field kMandateReference{507, 36};
inline constexpr Field kMandateDate{543, 21};
inline constexpr Field kRemittance1{564, 71};
inline constexpr Field kRemittance2{635, 73};
} // namespace payment

// Summary record of CloseXML, filled by the library.
namespace summary {
inline constexpr std::size_t kSize = 20;
inline constexpr Field kCount{0, kInt32Width};
inline constexpr Field kSumCents{4, 16};
} // namespace summary

// DTA information record of GetDTAInfo / PutDTAInfo. Only the fields the front end touches
// are named; every other byte belongs to the library and goes back unchanged.
namespace dtainfo {
inline constexpr std::size_t kSize = 348;
inline constexpr Field kPaymentKind{4, kInt32Width};
inline constexpr int32_t kKindDirectDebit = 1;
inline constexpr Field kExecutionDate{112, 9};
inline constexpr Field kCreditorId{177, 36};
inline constexpr Field kMandateReference{213, 36};
inline constexpr Field kMandateDate{249, 15};
inline constexpr Field kFirstDebitSetting{264, kInt32Width};
inline constexpr Field kSecondDebitSetting{268, kInt32Width};
inline constexpr int32_t kFirstDebitValue = 1;
inline constexpr int32_t kSecondDebitValue = 100;
} // namespace dtainfo

// Version record of Version: date DDMMYYYY, then the version text.
namespace version {
inline constexpr std::size_t kSize = 44;
inline constexpr Field kDate{0, 20};
inline constexpr Field kText{20, 24};
} // namespace version

// Information record of Info: three dates DDMMYYYY.
namespace info {
inline constexpr std::size_t kSize = 27;
inline constexpr Field kParticipantsDate{0, 9};
inline constexpr Field kBankCodesFrom{9, 9};
inline constexpr Field kBankCodesUntil{18, 9};
} // namespace info

// The layouts leave no gaps and end exactly at the record size.
static_assert(account::kIban.end() == account::kSize);
static_assert(account::kBankCode.end() == account::kAccountNumber.offset);
static_assert(account::kAccountNumber.end() == account::kBic.offset);
static_assert(account::kBic.end() == account::kIban.offset);
static_assert(fileheader::kExportPath.end() == fileheader::kPaymentType.offset);
static_assert(fileheader::kPaymentType.end() == fileheader::kFileName.offset);
static_assert(fileheader::kFileName.end() == fileheader::kMessageId.offset);
static_assert(fileheader::kMessageId.end() == fileheader::kInitiatingParty.offset);
static_assert(fileheader::kInitiatingParty.end() == fileheader::kSize);
static_assert(payment::kReference1.end() == payment::kExecutionDate.offset);
static_assert(payment::kExecutionDate.end() == payment::kOriginatorName.offset);
static_assert(payment::kOriginatorName.end() == payment::kOriginatorBic.offset);
static_assert(payment::kOriginatorBic.end() == payment::kOriginatorIban.offset);
static_assert(payment::kOriginatorIban.end() == payment::kCreditorId.offset);
static_assert(payment::kCreditorId.end() == payment::kOriginatorBankCode.offset);
static_assert(payment::kOriginatorBankCode.end() == payment::kOriginatorAccount.offset);
static_assert(payment::kOriginatorAccount.end() == payment::kRecipientName.offset);
static_assert(payment::kRecipientName.end() == payment::kRecipientBic.offset);
static_assert(payment::kRecipientBic.end() == payment::kRecipientIban.offset);
static_assert(payment::kRecipientIban.end() == payment::kRecipientBankCode.offset);
static_assert(payment::kRecipientBankCode.end() == payment::kRecipientAccount.offset);
static_assert(payment::kRecipientAccount.end() == payment::kAmountCents.offset);
static_assert(payment::kAmountCents.end() == payment::kReference2.offset);
static_assert(payment::kReference2.end() == payment::kMandateReference.offset);
static_assert(payment::kMandateReference.end() == payment::kMandateDate.offset);
static_assert(payment::kMandateDate.end() == payment::kRemittance1.offset);
static_assert(payment::kRemittance1.end() == payment::kRemittance2.offset);
static_assert(payment::kRemittance2.end() == payment::kSize);
static_assert(summary::kCount.end() == summary::kSumCents.offset);
static_assert(summary::kSumCents.end() == summary::kSize);
static_assert(dtainfo::kSecondDebitSetting.end() <= dtainfo::kSize);
static_assert(version::kDate.end() == version::kText.offset);
static_assert(version::kText.end() == version::kSize);
static_assert(info::kBankCodesUntil.end() == info::kSize);

} // namespace zalvo
