#pragma once

#include "abi/Record.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zalvo {

// How a payment file dialog gives the accounts: BIC and IBAN, or bank code and account number.
enum class AccountForm { BicIban, BankCodeAccount };

// The file header as the entry fields deliver it (Windows-1252, surrounding blanks removed).
struct FileHeaderInput {
    std::string exportPath;
    std::string fileName;
    std::string initiatingParty;
    std::string messageId;
    bool directDebit = false;
};

// One payment entry as the entry fields deliver it. "Bank" is the BIC or the bank code and
// "account" the IBAN or the account number, as the record's account form says.
struct PaymentEntryInput {
    std::string originatorName;
    std::string originatorBank;
    std::string originatorAccount;
    std::string creditorId;
    std::string recipientName;
    std::string recipientBank;
    std::string recipientAccount;
    std::string amount;
    std::string remittance1;
    std::string remittance2;
    std::string mandateReference;
    std::string mandateDate;
};

// The three records a payment file dialog hands to CreateXML, WriteXML and CloseXML. Each is
// zeroed whole before its call and then filled, so nothing of an earlier entry remains,
// neither a longer text of the user's nor what the library wrote into the record; fields of
// the other account form stay zero.
class PaymentFileRecords {
public:
    // Maximum lengths of the entry fields, which are also the most a field receives.
    static constexpr std::size_t kNameMaxChars = 30;
    static constexpr std::size_t kBicMaxChars = 11;
    static constexpr std::size_t kIbanMaxChars = 35;
    static constexpr std::size_t kBankCodeMaxChars = 8;
    static constexpr std::size_t kAccountNumberMaxChars = 10;
    static constexpr std::size_t kCreditorIdMaxChars = 35;
    static constexpr std::size_t kAmountMaxChars = 12;
    static constexpr std::size_t kRemittanceMaxChars = 70;
    static constexpr std::size_t kMandateReferenceMaxChars = 35;
    static constexpr std::size_t kMandateDateMaxChars = 10;
    static constexpr std::size_t kInitiatingPartyMaxChars = 30;
    static constexpr std::size_t kMessageIdMaxChars = 30;
    static constexpr std::size_t kExportPathMaxChars = 255;
    static constexpr std::size_t kFileNameMaxChars = 30;

    // Cents are written right-aligned in this width before trimming; wider gives '$'.
    static constexpr int kCentsWidth = 12;
    static constexpr int kCountWidth = 5;
    static constexpr int kSumWidth = 15;
    static constexpr int kSumDecimals = 2;
    static constexpr int kCentsPerEuro = 100;
    // The execution date lies this many days after today.
    static constexpr std::int32_t kExecutionLeadDays = 6;

    static constexpr std::string_view kReference1 = "Test";
    static constexpr std::string_view kReference2 = "ETE";

    explicit PaymentFileRecords(AccountForm form);

    AccountForm accountForm() const { return m_form; }

    // All three records back to zeros.
    void zero();

    // Zeroes the header, then fills it.
    void fillFileHeader(const FileHeaderInput& input);
    // Zeroes the entry, then fills it. `today` is today's day number; the execution date lies
    // six days after it.
    void fillPaymentEntry(const PaymentEntryInput& input, std::int32_t today);
    void zeroSummary();

    Record& fileHeader() { return m_fileHeader; }
    Record& paymentEntry() { return m_paymentEntry; }
    Record& summary() { return m_summary; }
    const Record& fileHeader() const { return m_fileHeader; }
    const Record& paymentEntry() const { return m_paymentEntry; }
    const Record& summary() const { return m_summary; }

    // The totals the library wrote into the summary record, as the user is shown them.
    std::string summaryText() const;

    // A German amount in euros ("1.234,56") as whole cents ("123456"): every '.' is a
    // thousands point, ',' the decimal comma, text that is no number gives "0", more than
    // twelve digits give twelve '$'.
    static std::string AmountToCents(std::string_view amount);
    // DDMMYYYY six days after `today`.
    static std::string ExecutionDate(std::int32_t today);
    // "Anzahl Datensätze: <count>", an empty line, "Summe der Beträge: <sum in euros>".
    static std::string SummaryText(std::int32_t count, std::string_view sumCents);

private:
    AccountForm m_form;
    Record m_fileHeader;
    Record m_paymentEntry;
    Record m_summary;
};

} // namespace zalvo
