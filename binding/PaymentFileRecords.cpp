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
    m_fileHeader.putTextCleared(fileheader::kExportPath, kExportPathMaxChars, input.exportPath);
    m_fileHeader.putTextCleared(fileheader::kFileName, kFileNameMaxChars, input.fileName);
    m_fileHeader.putTextCleared(fileheader::kInitiatingParty, kInitiatingPartyMaxChars,
                                input.initiatingParty);
    m_fileHeader.putTextCleared(fileheader::kMessageId, kMessageIdMaxChars, input.messageId);
    m_fileHeader.putInt32(fileheader::kPaymentType, input.directDebit
                                                        ? fileheader::kDirectDebit
                                                        : fileheader::kCreditTransfer);
}

void PaymentFileRecords::fillPaymentEntry(const PaymentEntryInput& input, std::int32_t today) {
    Record& r = m_paymentEntry;
    const std::string cents = AmountToCents(input.amount);
    r.putTextCleared(payment::kReference1, kReference1.size(), kReference1);
    r.putTextCleared(payment::kExecutionDate, kDateDigits, ExecutionDate(today));

    r.putTextCleared(payment::kOriginatorName, kNameMaxChars, input.originatorName);
    if (m_form == AccountForm::BicIban) {
        r.putTextCleared(payment::kOriginatorBic, kBicMaxChars, input.originatorBank);
        r.putTextCleared(payment::kOriginatorIban, kIbanMaxChars, input.originatorAccount);
    } else {
        r.putTextCleared(payment::kOriginatorBankCode, kBankCodeMaxChars, input.originatorBank);
        r.putTextCleared(payment::kOriginatorAccount, kAccountNumberMaxChars,
                         input.originatorAccount);
    }
    r.putTextCleared(payment::kCreditorId, kCreditorIdMaxChars, input.creditorId);
    r.putTextCleared(payment::kRecipientName, kNameMaxChars, input.recipientName);
    if (m_form == AccountForm::BicIban) {
        r.putTextCleared(payment::kRecipientBic, kBicMaxChars, input.recipientBank);
        r.putTextCleared(payment::kRecipientIban, kIbanMaxChars, input.recipientAccount);
    } else {
        r.putTextCleared(payment::kRecipientBankCode, kBankCodeMaxChars, input.recipientBank);
        r.putTextCleared(payment::kRecipientAccount, kAccountNumberMaxChars,
                         input.recipientAccount);
    }

    r.putTextCleared(payment::kReference2, kReference2.size(), kReference2);
    r.putTextCleared(payment::kAmountCents, kCentsWidth, cents);
    r.putTextCleared(payment::kMandateReference, kMandateReferenceMaxChars, input.mandateReference);
    r.putTextCleared(payment::kMandateDate, kDateDigits, NormalizeDateText(input.mandateDate));
    r.putTextCleared(payment::kRemittance1, kRemittanceMaxChars, input.remittance1);
    r.putTextCleared(payment::kRemittance2, kRemittanceMaxChars, input.remittance2);
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
