#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace paylib {

// What the front end completes for one entry before it can go into a SEPA file.
struct DtaCompletion {
    bool stored = false;
    std::string executionDate; // DDMMYYYY
    // Direct debits only.
    std::string creditorId;
    std::string mandateReference;
    std::string mandateDate; // DDMMYYYY
    std::int32_t sequenceSetting = 0;
    std::int32_t schemeSetting = 0;
};

// One payment (C record) of a DTA file. Texts are Windows-1252, trimmed; the DIN 66003
// umlaut bytes are already mapped.
struct DtaEntry {
    std::uint32_t logicalFile = 0; // 1-based index into DtaFile::files
    bool directDebit = false;
    std::uint32_t textKey = 0;       // C7a (two digits) and C7b (three digits) as five digits
    std::uint32_t firstBankCode = 0; // C3, often zero
    std::uint32_t counterpartyBankCode = 0;
    std::uint64_t counterpartyAccount = 0;
    std::uint64_t customerNumber = 0; // C6
    std::uint32_t originatorBankCode = 0;
    std::uint64_t originatorAccount = 0;
    std::uint64_t amountCents = 0;
    std::string counterpartyName;        // C14a and extension 01
    std::string originatorName;          // C15 and extension 03
    std::string purpose;                 // C16 and the 02 lines, each trimmed, joined by one blank
    std::uint8_t firstPurposeLength = 0; // C16 alone is the start of `purpose`
    std::uint8_t purposeLines = 0;
    std::uint8_t extensionCount = 0;
    DtaCompletion completion;

    std::string_view firstPurposeLine() const {
        return std::string_view(purpose).substr(0, firstPurposeLength);
    }
};

} // namespace paylib
