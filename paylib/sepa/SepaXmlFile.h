#pragma once

#include "paylib/sepa/SepaPayment.h"
#include "paylib/sepa/SepaPaymentBuilder.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace paylib {

class BankTable;
class SepaBlocks;
class TempFile;

// One SEPA XML payment file being written: pain.001.001.09 for credit transfers,
// pain.008.001.08 for direct debits. Every entry goes into the one payment-info block of its
// key (originator, date, for direct debits also creditor id, scheme and sequence), whatever
// order the entries come in; inside a block they keep their order. The document is written
// in the target directory under no name (or a hidden one) as the entries come: the first
// block straight into it, the others into a scratch file whose pieces are copied in at close,
// totals into fixed-width slots. Closing gives it its name; until then the target is
// untouched, and a failed or abandoned file leaves nothing behind: complete or absent.
class SepaXmlFile {
public:
    // Most entries of one file, and the largest sum (the summary record holds 15 digits).
    static constexpr std::int32_t kMaxEntries = 9'999'999;
    static constexpr std::int64_t kMaxSumCents = 999'999'999'999'999;

    // 0 or a notice (> 128) and `file` set, or a negative code. `tempDirectory`
    // (Windows-1252) receives the scratch files; empty means the target directory.
    static std::int32_t open(const SepaFileSpec& fileSpec, std::string_view tempDirectory,
                             const BankTable& table, std::unique_ptr<SepaXmlFile>& file);

    ~SepaXmlFile();
    SepaXmlFile(const SepaXmlFile&) = delete;
    SepaXmlFile& operator=(const SepaXmlFile&) = delete;

    // Checks and appends one payment: 0, a notice (> 128) when written with a reservation,
    // or a negative code, in which case nothing of the payment was taken. Its dates are
    // judged on `today` (a day number), by default the clock's.
    std::int32_t add(const SepaPayment& payment);
    std::int32_t add(const SepaPayment& payment, std::int32_t today);
    // Every reservation the last accepted payment was taken with (add returned the first).
    std::span<const std::int32_t> notices() const;

    // Writes the rest of the document and gives it its name: 0 and `summary` filled. The file
    // is finished afterwards whatever the outcome; a failure leaves nothing behind.
    std::int32_t close(SepaSummary& summary);

    // The bank-code table changed: derive accounts afresh.
    void forgetDerivations() { m_builder.forgetDerivations(); }

    bool finished() const { return m_finished; }
    SepaSummary totals() const { return m_totals; }
    // The target file name in the file system's encoding.
    const std::string& targetPath() const { return m_target; }

private:
    SepaXmlFile(const SepaFileSpec& fileSpec, const BankTable& table);
    std::string groupHeader();
    // With `slot`, the totals are padded and their offset in the head stored there.
    std::string blockHead(std::size_t index, std::size_t* slot) const;
    std::int32_t addToDocument(bool freshBlock);
    std::int32_t addToScratch(std::size_t block);
    bool writeLaterBlocks();
    bool fillSlots();
    void discard();

    SepaFileSpec m_spec;
    SepaPaymentBuilder m_builder;
    SepaPaymentBuilder::Built m_built;
    std::string m_target;
    std::unique_ptr<TempFile> m_document;
    std::unique_ptr<TempFile> m_scratch;
    std::unique_ptr<SepaBlocks> m_blocks;
    std::uint64_t m_groupSlot = 0; // where the totals' slots lie in the document
    std::uint64_t m_firstBlockSlot = 0;
    SepaSummary m_totals;
    bool m_finished = false;
};

} // namespace paylib
