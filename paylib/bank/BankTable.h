#pragma once

#include "paylib/bank/BankRecord.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace paylib {

// The bank-code table in use: the payment records of one Bundesbank bank-code file, or of the
// data built into the library, with the dates of the period it is valid for (day numbers of
// helpers/DateHelpers.h).
class BankTable {
public:
    static constexpr std::size_t kRecordLength = 174;
    // Records of the files without the IBAN-rule column (the Bundesbank's published file).
    static constexpr std::size_t kRecordLengthWithoutRule = 168;

    // Parses a whole file (Latin-1 as published, UTF-8 accepted). Returns false and leaves
    // the table empty unless every non-empty line is a well-formed record of 174 or 168
    // characters and each bank code has exactly one payment record. A record without the
    // rule column (or with a blank one) gets an empty rule.
    bool parse(std::string_view content, std::string* error = nullptr);

    // Takes `records` as the table; false (table left empty) when a bank code repeats.
    bool assign(std::vector<BankRecord> records, std::string* error = nullptr);

    // Gives every record without a rule the rule of its bank code in `source`, or the
    // standard rule when `source` does not know the bank code. Returns how many it filled.
    std::size_t takeMissingRulesFrom(const BankTable& source);

    // The payment record of a bank code, or null.
    const BankRecord* find(std::string_view bankCode) const;

    const std::vector<BankRecord>& records() const { return m_records; }
    std::size_t size() const { return m_records.size(); }
    bool empty() const { return m_records.empty(); }

    std::int32_t validFrom() const { return m_validFrom; }
    std::int32_t validUntil() const { return m_validUntil; }
    // Sets the first day of validity; the last is the day before the next quarterly file.
    void setValidFrom(std::int32_t dayNumber);

    // Start of the quarterly file period that contains `dayNumber` (Monday after the first
    // Saturday of March, June, September, December), and the start of the next one.
    static std::int32_t periodStart(std::int32_t dayNumber);
    static std::int32_t nextPeriodStart(std::int32_t dayNumber);

private:
    std::vector<BankRecord> m_records; // sorted by bank code
    // The bank codes as numbers, in the same order: a lookup touches 14 KB, not the records.
    std::vector<std::uint32_t> m_codes;
    std::int32_t m_validFrom = 0;
    std::int32_t m_validUntil = 0;
};

} // namespace paylib
