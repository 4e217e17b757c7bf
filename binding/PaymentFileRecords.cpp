#include "binding/PaymentFileRecords.h"

#include "abi/RecordLayouts.h"
#include "helpers/DateHelpers.h"
#include "helpers/NumberHelpers.h"
#include "helpers/TextHelpers.h"
#include "platform/Win1252Literal.h"

#include <algorithm>

namespace zalvo {

namespace {

using namespace win1252::literals;

constexpr std::string_view kThousandsPoint = ".";
constexpr std::string_view kCountCaption = "Anzahl Datensätze: "_win1252;
constexpr std::string_view kSumCaption = "Summe der Beträge: "_win1252;
constexpr std::string_view kEmptyLine = "\r\n\r\n";

// Into a zeroed record: at most maxChars characters of text and their zero.
void putField(Record& record, Field field, std::size_t maxChars, std::string_view text) {
    record.putText(field.offset, std::min(maxChars, field.maxChars()), text);
}

std::string_view cut(std::string_view text, std::size_t maxChars) {
    return text.substr(0, std::min(text.size(), maxChars));
}

} // namespace

PaymentFileRecords::PaymentFileRecords(AccountForm form)
    : m_form(form), m_fileHeader(fileheader::kSize), m_paymentEntry(payment::kSize),
      m_summary(summary::kSize) {}

void PaymentFileRecords::zero() {
    m_fileHeader.zero();
    m_paymentEntry.zero();
    m_summary.zero();
}

void PaymentFileRecords::fillFileHeader(const FileHeaderInput& input) {
    Record& r = m_fileHeader;
    // The library gets a writable pointer: whatever it wrote last time must not go out again.
    r.zero();
    putField(r, fileheader::kExportPath, kExportPathMaxChars, input.exportPath);
    putField(r, fileheader::kFileName, kFileNameMaxChars, input.fileName);
    putField(r, fileheader::kInitiatingParty, kInitiatingPartyMaxChars, input.initiatingParty);
    putField(r, fileheader::kMessageId, kMessageIdMaxChars, input.messageId);
    r.putInt32(fileheader::kPaymentType,
               input.directDebit ? fileheader::kDirectDebit : fileheader::kCreditTransfer);
}

void PaymentFileRecords::fillPaymentEntry(const PaymentEntryInput& input, std::int32_t today) {
    Record& r = m_paymentEntry;
    const std::string cents = AmountToCents(input.amount);
    // A library that wrote into the last entry (an IBAN derived from a bank code, say) must not
    // see it again in this one, also in the fields this form never fills.
    r.zero();
    putField(r, payment::kReference1, kReference1.size(), kReference1);
    putField(r, payment::kExecutionDate, kDateDigits, ExecutionDate(today));

    putField(r, payment::kOriginatorName, kNameMaxChars, input.originatorName);
    if (m_form == AccountForm::BicIban) {
        putField(r, payment::kOriginatorBic, kBicMaxChars, input.originatorBank);
        putField(r, payment::kOriginatorIban, kIbanMaxChars, input.originatorAccount);
    } else {
        putField(r, payment::kOriginatorBankCode, kBankCodeMaxChars, input.originatorBank);
        putField(r, payment::kOriginatorAccount, kAccountNumberMaxChars, input.originatorAccount);
    }
    putField(r, payment::kCreditorId, kCreditorIdMaxChars, input.creditorId);
    putField(r, payment::kRecipientName, kNameMaxChars, input.recipientName);
    if (m_form == AccountForm::BicIban) {
        putField(r, payment::kRecipientBic, kBicMaxChars, input.recipientBank);
        putField(r, payment::kRecipientIban, kIbanMaxChars, input.recipientAccount);
    } else {
        putField(r, payment::kRecipientBankCode, kBankCodeMaxChars, input.recipientBank);
        putField(r, payment::kRecipientAccount, kAccountNumberMaxChars, input.recipientAccount);
    }

    putField(r, payment::kReference2, kReference2.size(), kReference2);
    putField(r, payment::kAmountCents, kCentsWidth, cents);
    putField(r, payment::kMandateReference, kMandateReferenceMaxChars, input.mandateReference);
    putField(r, payment::kMandateDate, kDateDigits, NormalizeDateText(input.mandateDate));
    putField(r, payment::kRemittance1, kRemittanceMaxChars, input.remittance1);
    putField(r, payment::kRemittance2, kRemittanceMaxChars, input.remittance2);
}

void PaymentFileRecords::zeroSummary() {
    m_summary.zero();
}

std::string PaymentFileRecords::summaryText() const {
    return SummaryText(m_summary.int32(summary::kCount), m_summary.text(summary::kSumCents));
}

std::string PaymentFileRecords::AmountToCents(std::string_view amount) {
    const std::string withoutPoints = DeleteChars(cut(amount, kAmountMaxChars), kThousandsPoint);
    const long double euros = DecimalTextToNumber(cut(withoutPoints, kAmountMaxChars));
    const std::string cents = TrimText(FormatNumber(kCentsWidth, 0, false, euros * kCentsPerEuro));
    return std::string(cut(cents, kCentsWidth));
}

std::string PaymentFileRecords::ExecutionDate(std::int32_t today) {
    return DateToDigits(today + kExecutionLeadDays);
}

std::string PaymentFileRecords::SummaryText(std::int32_t count, std::string_view sumCents) {
    const long double sum = DecimalTextToNumber(sumCents) / kCentsPerEuro;
    std::string text(kCountCaption);
    text += TrimText(FormatNumber(kCountWidth, 0, true, count));
    text += kEmptyLine;
    text += kSumCaption;
    text += TrimText(FormatNumber(kSumWidth, kSumDecimals, true, sum));
    return text;
}

} // namespace zalvo
