#pragma once

#include "paylib/sepa/SepaPayment.h"

#include <cstdint>
#include <string>

namespace paylib {

class BankTable;

// Checks one payment and turns it into the XML of its transaction and of the payment-info
// block it belongs to (pain.001.001.09 or pain.008.001.08). Nothing is written here.
class SepaPaymentBuilder {
public:
    struct Built {
        std::string blockKey; // equal keys may share one payment-info block
        std::string blockXml; // the block's elements after its totals
        std::string transactionXml;
        std::int64_t cents = 0;
        std::int32_t notice = 0; // 0 or the notice that an IBAN was derived by the standard rule
    };

    // Largest amount of one payment: 999,999,999.99 EUR.
    static constexpr std::int64_t kMaxCents = 99'999'999'999;

    SepaPaymentBuilder(const BankTable& table, SepaFileSpec::Kind kind)
        : m_table(table), m_kind(kind) {}

    // 0 and `built` filled, or the negative result code of the first fault found.
    std::int32_t build(const SepaPayment& payment, Built& built) const;

    // DDMMYYYY as YYYY-MM-DD, or empty when it is no date.
    static std::string isoDate(std::string_view digits);
    // Whole cents as euros with two decimals ("12.34").
    static std::string euros(std::int64_t cents);

private:
    const BankTable& m_table;
    SepaFileSpec::Kind m_kind;
};

} // namespace paylib
