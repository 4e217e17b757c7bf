#pragma once

#include "paylib/sepa/SepaPayment.h"
#include "paylib/sepa/SepaPaymentBuilder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace paylib {

class BankTable;
class TempFile;

// One SEPA XML payment file being written: pain.001.001.09 for credit transfers,
// pain.008.001.08 for direct debits. Transactions stream to a temporary body file and the
// payment-info blocks to a temporary index, so memory stays flat however many entries come;
// closing assembles the document, with its totals in front, under a temporary name in the
// target directory and renames it. Until then the target is untouched: the file is
// complete or absent.
class SepaXmlFile {
public:
    // Most entries of one file, and the largest sum (the summary record holds 15 digits).
    static constexpr std::int32_t kMaxEntries = 9'999'999;
    static constexpr std::int64_t kMaxSumCents = 999'999'999'999'999;

    // 0 and `file` set, or a negative code. `tempDirectory` (Windows-1252) receives the
    // body and index; empty means the target directory.
    static std::int32_t open(const SepaFileSpec& fileSpec, std::string_view tempDirectory,
                             const BankTable& table, std::unique_ptr<SepaXmlFile>& file);

    ~SepaXmlFile();
    SepaXmlFile(const SepaXmlFile&) = delete;
    SepaXmlFile& operator=(const SepaXmlFile&) = delete;

    // Checks and appends one payment: 0, a notice (> 128) when written with a reservation,
    // or a negative code, in which case nothing of the payment was taken.
    std::int32_t add(const SepaPayment& payment);

    // Writes the document and renames it into place: 0 and `summary` filled. A file without
    // entries is not written (kFileWithoutEntries) and counts as finished; on any other
    // failure the entries are kept and close may be tried again.
    std::int32_t close(SepaSummary& summary);

    bool finished() const { return m_finished; }
    SepaSummary totals() const { return m_totals; }
    // The target file name in the file system's encoding.
    const std::string& targetPath() const { return m_target; }

private:
    struct Block {
        std::string key;
        std::string xml;
        std::uint64_t bodyStart = 0;
        std::int64_t count = 0;
        std::int64_t sumCents = 0;
    };

    SepaXmlFile(const SepaFileSpec& fileSpec, const BankTable& table);
    bool storeBlock(const Block& block);
    bool assemble();

    SepaFileSpec m_spec;
    SepaPaymentBuilder m_builder;
    std::string m_target;
    std::unique_ptr<TempFile> m_body;
    std::unique_ptr<TempFile> m_index;
    std::unique_ptr<TempFile> m_document;
    Block m_current;
    std::int64_t m_blocks = 0; // stored in the index
    SepaSummary m_totals;
    bool m_finished = false;
};

} // namespace paylib
