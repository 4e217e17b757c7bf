#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace paylib {

class BankTable;
class DtaFile;

// Turns the completed entries of one payment kind into one SEPA XML file through the
// library's XML writer, which derives IBAN and BIC from bank code and account number.
// All or nothing: when an entry is refused, no file is left behind.
class DtaXmlExport {
public:
    // `header` is the 404-byte file header record. Returns 0, a notice of the writer
    // (> 128, the last one seen) or a negative code: kBadExportTarget for texts that do not
    // end inside their fields, otherwise the writer's own code. Appends UTF-8 protocol
    // lines (CR LF) that name a refused entry.
    static std::int32_t write(const DtaFile& file, bool directDebit, const char* header,
                              const BankTable& table, std::string_view tempDirectory,
                              std::string& protocolLines);
};

} // namespace paylib
