#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace paylib {

class DtaFile;
class DtaInput;

// Reads DTAUS files (the disk/remote-transfer variant: 128-byte blocks, A, C, E records,
// one or more logical files in a row) and checks everything a bank would: record lengths,
// numeric fields, text keys against the file kind, extension parts and the E record's
// count and control sums. Never reads outside the given bytes.
class DtaReader {
public:
    struct Limits {
        std::size_t maxFileBytes = std::size_t{256} * 1024 * 1024;
        std::size_t maxEntries = 1000000;
    };

    DtaReader() = default;
    explicit DtaReader(Limits limits) : m_limits(limits) {}

    // Parses the bytes into `out` (cleared first) and writes the protocol of the read into
    // it, also on failure. Returns 0 or one of the read codes of ResultCodes.h; on failure the
    // entries are cleared and only the protocol remains.
    [[nodiscard]] std::int32_t parse(std::span<const unsigned char> bytes, DtaFile& out) const;

    // Reads the file (a UTF-8 path) and parses it.
    [[nodiscard]] std::int32_t readFile(const std::string& path, DtaFile& out) const;

private:
    std::int32_t parseInput(DtaInput& input, DtaFile& out) const;
    std::int32_t refuseTooLarge(DtaFile& out) const;

    Limits m_limits;
};

} // namespace paylib
