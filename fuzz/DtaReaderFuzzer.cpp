// Feeds arbitrary bytes to the DTA reader and checks what must hold for every input: a code
// of the read family, no entries after a failure, entries that agree with their logical
// files after success, and records and protocol that can be built from whatever was read.
#include "abi/MutableRecordView.h"
#include "paylib/ResultCodes.h"
#include "paylib/dta/DtaEntry.h"
#include "paylib/dta/DtaFile.h"
#include "paylib/dta/DtaInfoRecord.h"
#include "paylib/dta/DtaReader.h"
#include "platform/Win1252.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

bool isReadCode(std::int32_t rc) {
    return rc == paylib::result::kOk ||
           (rc <= paylib::result::kFileNotReadable && rc >= paylib::result::kTooManyEntries);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    paylib::DtaReader::Limits limits;
    limits.maxFileBytes = 1 << 20;
    limits.maxEntries = 2000;
    paylib::DtaFile file;
    const std::int32_t rc = paylib::DtaReader(limits).parse({data, size}, file);
    require(isReadCode(rc));
    require(!file.protocol.empty());
    if (rc != paylib::result::kOk) {
        require(file.entries.empty() && file.files.empty());
    } else {
        std::size_t counted = 0;
        for (const paylib::DtaLogicalFile& logical : file.files) {
            require(logical.firstEntry == counted);
            counted += logical.entryCount;
        }
        require(counted == file.entries.size());
        std::array<char, paylib::dtainfo::kSize + 1> record{};
        for (std::size_t i = 0; i < file.entries.size(); ++i) {
            const paylib::DtaEntry& entry = file.entries[i];
            require(entry.logicalFile >= 1 && entry.logicalFile <= file.files.size());
            require(entry.directDebit == file.files[entry.logicalFile - 1].directDebit);
            require(entry.counterpartyName.size() <= 54 && entry.originatorName.size() <= 54);
            record.back() = '\x5A'; // guard byte past the record
            paylib::DtaInfoRecord::fill(
                zalvo::MutableRecordView(record.data(), paylib::dtainfo::kSize), entry,
                static_cast<std::int32_t>(i + 1), 1,
                file.files[entry.logicalFile - 1].executionDate);
            require(record.back() == '\x5A');
            const zalvo::RecordView view(record.data(), paylib::dtainfo::kSize);
            require(view.terminated(paylib::dtainfo::kCounterpartyName));
            require(view.terminated(paylib::dtainfo::kOriginatorName));
            require(view.int32(paylib::dtainfo::kEntryNumber) == static_cast<std::int32_t>(i + 1));
        }
    }
    // The protocol leaves the library as Windows-1252.
    const std::string shown = win1252::fromUtf8(file.protocol);
    require(!shown.empty());
    return 0;
}
