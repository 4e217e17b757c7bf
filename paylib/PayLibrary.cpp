#include "paylib/PayLibrary.h"

#include "paylib/ResultCodes.h"
#include "paylib/bank/BankFileLocator.h"
#include "paylib/bank/EmbeddedBankTable.h"
#include "platform/Win1252.h"

#include <filesystem>
#include <system_error>

namespace paylib {
namespace {

bool isDirectory(std::string_view w1252) {
    std::error_code ec;
    return std::filesystem::is_directory(win1252::toUtf8(w1252), ec);
}

} // namespace

PayLibrary& PayLibrary::instance() {
    static PayLibrary library;
    return library;
}

PayLibrary::PayLibrary() : m_log(&m_noticeSink) {}

std::int32_t PayLibrary::init(std::string_view dataPath, std::string_view tempPath,
                              std::string_view) {
    std::int32_t code = result::kOk;
    BankTable table;
    std::string fileName;
    BankFileLocator::Outcome outcome = BankFileLocator::Outcome::NoFile;
    if (!dataPath.empty())
        outcome = BankFileLocator::load(dataPath, table, &fileName);
    BankTable embedded = EmbeddedBankTable::load();
    std::size_t rulesFromEmbedded = 0;
    if (outcome == BankFileLocator::Outcome::Loaded) {
        // The Bundesbank's published file has no rule column: the rules are ours.
        rulesFromEmbedded = table.takeMissingRulesFrom(embedded);
    } else {
        table = std::move(embedded);
        fileName.clear();
        if (table.empty())
            return result::kInternalError;
        if (outcome == BankFileLocator::Outcome::Rejected)
            code = result::kNoticeBankFileRejected;
        else if (outcome == BankFileLocator::Outcome::NoDirectory)
            code = result::kNoticeDataPathNoDirectory;
    }
    m_tempPath.clear();
    if (!tempPath.empty()) {
        if (isDirectory(tempPath))
            m_tempPath = tempPath;
        else if (code == result::kOk)
            code = result::kNoticeTempPathNoDirectory;
    }
    m_table = std::move(table);
    if (m_xmlFile)
        m_xmlFile->forgetDerivations();
    m_bankFile = std::move(fileName);
    m_rulesFromEmbedded = rulesFromEmbedded;
    m_initialised = true;
    return code;
}

void PayLibrary::free() {
    m_xmlFile.reset();
    m_table = BankTable{};
    m_bankFile.clear();
    m_rulesFromEmbedded = 0;
    m_tempPath.clear();
    m_initialised = false;
}

} // namespace paylib
