#include "paylib/dta/DtaFile.h"

namespace paylib {

std::size_t DtaFile::countOf(bool directDebit) const {
    std::size_t count = 0;
    for (const DtaLogicalFile& file : files) {
        if (file.directDebit == directDebit) {
            count += file.entryCount;
        }
    }
    return count;
}

std::uint64_t DtaFile::amountSum() const {
    std::uint64_t sum = 0;
    for (const DtaLogicalFile& file : files) {
        sum += file.amountSum;
    }
    return sum;
}

void DtaFile::clear() {
    // Swap with empties so the memory of a large file is given back at once.
    std::vector<DtaLogicalFile>().swap(files);
    decltype(entries)().swap(entries);
    std::string().swap(protocol);
}

} // namespace paylib
