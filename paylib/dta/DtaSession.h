#pragma once

#include "abi/MutableRecordView.h"
#include "abi/RecordLayouts.h"
#include "paylib/dta/DtaFile.h"
#include "paylib/dta/DtaXmlExport.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace paylib {

// What ReadDTA leaves in its 100-byte buffer: counts and the sum of the read.
namespace dtaread {
inline constexpr zalvo::Field kEntries{0, zalvo::kInt32Width};
inline constexpr zalvo::Field kCreditTransfers{4, zalvo::kInt32Width};
inline constexpr zalvo::Field kDirectDebits{8, zalvo::kInt32Width};
inline constexpr zalvo::Field kLogicalFiles{12, zalvo::kInt32Width};
inline constexpr zalvo::Field kSumCents{16, 21};
inline constexpr std::size_t kSize = zalvo::kReadDTABufferSize;
static_assert(kSumCents.end() <= kSize);
} // namespace dtaread

// One DTA conversion: the file read last, the cursor of GetDTAInfo, the entries completed
// through PutDTAInfo and the protocol. Every method checks its arguments and answers with
// a code of ResultCodes.h; none throws except std::bad_alloc.
class BankTable;

class DtaSession {
public:
    // Forgets the previous read, then reads the file named by the zero-terminated
    // Windows-1252 text in the 256-byte buffer. `summary` (100 bytes) may be null.
    [[nodiscard]] std::int32_t read(const char* fileName, char* summary);

    // Fills the record with the next entry (internal cursor; the counter must point to an
    // int32 but its value is neither used nor changed) or answers kNoEntryLeft.
    [[nodiscard]] std::int32_t next(char* record, const std::int32_t* counter);

    // Checks and stores what the front end completed in a record that next() filled.
    [[nodiscard]] std::int32_t put(const char* record);

    // Writes the completed entries of the header's payment type as one SEPA XML file; the
    // bank-code table derives IBAN and BIC. Notices also go to `logNotice`.
    [[nodiscard]] std::int32_t writeXml(const char* header, const BankTable& table,
                                        std::string_view tempDirectory,
                                        const DtaXmlExport::NoticeLog& logNotice = {});

    // Copies the Windows-1252 protocol, cut to size - 1 bytes and zero-terminated; returns
    // its full length.
    [[nodiscard]] std::int32_t protocol(char* buffer, std::int32_t size) const;

    void clear();

    // For tests and the benchmark: the entries of the last successful read.
    const DtaFile& file() const { return m_file; }

private:
    void note(const std::string& utf8Line);
    // Counts and sum of the read into ReadDTA's 100-byte buffer.
    void writeSummary(zalvo::MutableRecordView summary) const;

    DtaFile m_file;
    bool m_haveEntries = false;
    bool m_haveProtocol = false;
    std::size_t m_cursor = 0;
    std::int32_t m_stamp = 0;
    std::string m_protocol; // UTF-8
};

} // namespace paylib
