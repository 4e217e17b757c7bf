#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace paylib {

class BankTable;
class DtaFile;

// Turns the completed entries of one payment kind into one SEPA XML file through the
// library's XML writer, which derives IBAN and BIC from bank code and account number and
// keeps to the same character set as for every other caller. Names joined from a field and
// its extension lose the padding between them; text keys with a standard SEPA code carry it.
// All or nothing: when an entry is refused, no file is left behind.
class DtaXmlExport {
public:
    // Receives each notice of an entry: its code and a Windows-1252 line for the log.
    using NoticeLog = std::function<void(std::int32_t code, const std::string& line)>;

    // `header` is the 404-byte file header record. Returns 0, a notice of the writer
    // (> 128, the last one seen) or a negative code: kBadExportTarget for texts that do not
    // end inside their fields, otherwise the writer's own code. Appends UTF-8 protocol
    // lines (CR LF) that name a refused entry and every notice.
    static std::int32_t write(const DtaFile& file, bool directDebit, const char* header,
                              const BankTable& table, std::string_view tempDirectory,
                              std::string& protocolLines, const NoticeLog& logNotice);

    // ISO 20022 codes of a DTA text key (five digits): the category purpose of its block
    // and the purpose of the entry, each empty where no standard mapping exists.
    struct Purposes {
        std::string_view categoryPurpose;
        std::string_view purpose;
    };
    static Purposes purposesOf(std::uint32_t textKey);

    // `name` with its runs of blanks made one blank, into `out`.
    static void collapseBlanks(std::string_view name, std::string& out);
};

} // namespace paylib
