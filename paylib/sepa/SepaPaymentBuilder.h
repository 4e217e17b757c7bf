#pragma once

#include "paylib/sepa/SepaPayment.h"

#include <array>
#include <cstdint>
#include <string>

namespace paylib {

class BankTable;

// Checks one payment and turns it into the XML of its transaction, and tells the
// payment-info block it belongs to (pain.001.001.09 or pain.008.001.08). Nothing is written
// here. Buffers of `Built` are reused from call to call.
class SepaPaymentBuilder {
public:
    // The notice of each side's derived account (210 to 213) and the three cuts.
    static constexpr std::size_t kMaxNotices = 5;

    // What a payment-info block carries for all its transactions.
    struct Block {
        std::string originatorName; // in the SEPA character set, Windows-1252
        std::string iban;
        std::string bic;  // empty: not provided
        std::string date; // YYYY-MM-DD
        std::string creditorId;
        std::string_view instrument; // direct debits: CORE or B2B
        std::string_view sequence;   // direct debits: FRST, RCUR, FNAL, OOFF
        std::string categoryPurpose;
    };

    struct Built {
        Block block;
        std::string blockKey; // equal keys share one payment-info block
        std::string transactionXml;
        std::int64_t cents = 0;
        // Reservations the payment was taken with, in the order found, each at most once.
        std::array<std::int32_t, kMaxNotices> notices{};
        std::size_t noticeCount = 0;

        void addNotice(std::int32_t code);
        std::int32_t firstNotice() const { return noticeCount > 0 ? notices[0] : 0; }
    };

    // Largest amount of one payment: 999,999,999.99 EUR.
    static constexpr std::int64_t kMaxCents = 99'999'999'999;

    SepaPaymentBuilder(const BankTable& table, SepaFileSpec::Kind kind);

    // 0 and `built` filled, or the negative result code of the first fault found. Dates
    // are judged on the day `today` (a day number).
    std::int32_t build(const SepaPayment& payment, std::int32_t today, Built& built);

    // Forgets remembered derivations, for when the bank-code table changes.
    void forgetDerivations();

    // The block's elements after its totals, as the file writes them.
    std::string blockXml(const Block& block) const;

    // Whole cents as euros with two decimals ("12.34"), appended.
    static void appendEuros(std::int64_t cents, std::string& out);
    static std::string euros(std::int64_t cents);

private:
    struct Account {
        std::string iban;
        std::string bic; // empty: not provided
    };
    // The last bank code and account derived on one side: files repeat the originator.
    struct Derived {
        std::string bankCode;
        std::string account;
        Account result;
        std::int32_t code = 0;
        bool valid = false;
    };
    struct SideCodes {
        std::int32_t missing;
        std::int32_t ibanInvalid;
        std::int32_t bicInvalid;
        std::int32_t bicCountry;
    };

    std::int32_t resolveAccount(std::string_view iban, std::string_view bic,
                                std::string_view bankCode, std::string_view accountNumber,
                                const SideCodes& codes, Derived& cache, Account& account,
                                Built& built) const;
    void appendTransaction(const SepaPayment& payment, const Account& recipient,
                           std::string_view recipientName, std::string_view mandateReference,
                           std::string_view mandateDate, std::string_view remittance,
                           Built& built) const;

    const BankTable& m_table;
    SepaFileSpec::Kind m_kind;
    Derived m_originatorCache;
    Derived m_recipientCache;
    // Scratch texts, kept so that their memory is reused.
    std::string m_recipientName;
    std::string m_remittance;
    Account m_recipient;
    std::int32_t m_isoDay = -1; // the day m_isoDate was made for
    std::string m_isoDate;
    std::string m_validCreditorId; // the last one that passed its check
};

} // namespace paylib
