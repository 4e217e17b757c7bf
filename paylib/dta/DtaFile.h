#pragma once

#include "paylib/dta/DtaEntry.h"
#include "platform/LargeBlocks.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace paylib {

// The A and E record of one logical file: one kind of payment, one sender.
struct DtaLogicalFile {
    std::string kind; // GK, LK, GB or LB
    bool directDebit = false;
    std::uint32_t receiverBankCode = 0;
    std::uint32_t senderBankCode = 0;
    std::string senderName;
    std::string creationDate; // DDMMYYYY
    std::uint64_t senderAccount = 0;
    std::uint64_t reference = 0;
    std::string executionDate;  // DDMMYYYY, empty when the A record leaves it open
    std::size_t firstEntry = 0; // index into DtaFile::entries
    std::size_t entryCount = 0;
    std::uint64_t amountSum = 0;
};

// Everything one read of a DTA file produced, and the protocol of that read.
class DtaFile {
public:
    std::vector<DtaLogicalFile> files;
    // A file of 100,000 entries fills some 30 MB at once: in large blocks.
    std::vector<DtaEntry, platform::LargeBlockAllocator<DtaEntry>> entries;
    // UTF-8 inside the library (names converted from Windows-1252), CR LF line ends;
    // converted to Windows-1252 where it leaves the library.
    std::string protocol;

    std::size_t countOf(bool directDebit) const;
    std::uint64_t amountSum() const;
    void clear();
};

} // namespace paylib
