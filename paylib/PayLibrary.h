#pragma once

#include "log/LogWriter.h"
#include "log/NullNoticeSink.h"
#include "paylib/bank/BankTable.h"
#include "paylib/sepa/SepaXmlFile.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace paylib {

// The process-wide state of the library: the bank-code table, the payment file being
// written and the library's log. Entry points hold mutex() while they use it.
class PayLibrary {
public:
    static PayLibrary& instance();

    std::mutex& mutex() { return m_mutex; }
    LogWriter& log() { return m_log; }

    // Loads the bank-code table (a complete Bundesbank file in `dataPath`, with the IBAN
    // rules of the embedded data where the file has none, else the embedded data) and takes
    // the temporary directory. Paths are Windows-1252. 0 or a notice (> 128); an open
    // payment file stays open.
    [[nodiscard]] std::int32_t init(std::string_view dataPath, std::string_view tempPath,
                                    std::string_view userPath);
    // Drops the table and an unfinished payment file (its temporary files are removed).
    void free();

    bool initialised() const { return m_initialised; }
    const BankTable& bankTable() const { return m_table; }
    // The file the table was read from, or empty for the embedded table.
    const std::string& bankFileName() const { return m_bankFile; }
    // Banks of that file that took their IBAN rule from the embedded data.
    std::size_t rulesFromEmbeddedData() const { return m_rulesFromEmbedded; }
    // Directory for temporary files (Windows-1252), empty when none was given.
    const std::string& tempPath() const { return m_tempPath; }

    // The payment file of Zalvotech_CreateXML / WriteXML / CloseXML, null when none is open.
    std::unique_ptr<SepaXmlFile>& xmlFile() { return m_xmlFile; }

private:
    PayLibrary();

    std::mutex m_mutex;
    NullNoticeSink m_noticeSink;
    LogWriter m_log;
    BankTable m_table;
    std::string m_bankFile;
    std::size_t m_rulesFromEmbedded = 0;
    std::string m_tempPath;
    std::unique_ptr<SepaXmlFile> m_xmlFile;
    bool m_initialised = false;
};

} // namespace paylib
