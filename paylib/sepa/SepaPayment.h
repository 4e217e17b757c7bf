#pragma once

#include <cstdint>
#include <string>

namespace paylib {

// What a payment file is: written by Zalvotech_CreateXML and by the DTA conversion.
// Texts are Windows-1252, as they cross the library boundary.
struct SepaFileSpec {
    enum class Kind { CreditTransfer, DirectDebit };
    std::string directory; // empty: the current directory
    std::string fileName;  // no directory part
    std::string messageId;
    std::string initiatingParty;
    Kind kind = Kind::CreditTransfer;
};

// One payment as given by the caller, before any check. The originator is the debtor of a
// credit transfer and the creditor of a direct debit. Each account is given either as IBAN
// (BIC optional) or as German bank code and account number; a non-empty IBAN wins.
struct SepaPayment {
    enum class Instrument { Core, B2B };
    enum class Sequence { First, Recurrent, Final, OneOff };

    std::string instructionId; // optional
    std::string endToEndId;    // empty: NOTPROVIDED
    std::string executionDate; // DDMMYYYY
    std::string originatorName;
    std::string originatorBic;
    std::string originatorIban;
    std::string originatorBankCode;
    std::string originatorAccount;
    std::string creditorId; // direct debits
    std::string recipientName;
    std::string recipientBic;
    std::string recipientIban;
    std::string recipientBankCode;
    std::string recipientAccount;
    std::string amountCents;      // decimal digits
    std::string mandateReference; // direct debits
    std::string mandateDate;      // direct debits, DDMMYYYY
    std::string remittance;       // longer than 140 characters: cut, with a notice
    // ISO 20022 codes, empty when none: the category purpose belongs to the payment-info
    // block (entries with different ones never share a block), the purpose to the entry.
    std::string categoryPurpose;
    std::string purpose;
    Instrument instrument = Instrument::Core;
    Sequence sequence = Sequence::Recurrent;
};

// Totals of a closed file.
struct SepaSummary {
    std::int32_t count = 0;
    std::int64_t sumCents = 0;
};

} // namespace paylib
