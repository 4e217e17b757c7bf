#include "paylib/dta/DtaSession.h"

#include "abi/Record.h"
#include "helpers/DateHelpers.h"
#include "paylib/ResultCodes.h"
#include "paylib/dta/DtaInfoRecord.h"
#include "paylib/dta/DtaReader.h"
#include "paylib/dta/DtaResult.h"
#include "paylib/dta/DtaText.h"
#include "paylib/dta/DtaXmlExport.h"
#include "paylib/sepa/SepaDates.h"
#include "paylib/sepa/SepaIdentifiers.h"
#include "paylib/sepa/SepaText.h"
#include "platform/Win1252.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace paylib {
namespace {

constexpr std::uint32_t kB2BTextKey = 4; // 04xxx: Abbuchungsauftrag

// Each read gets its own stamp, so a record from an earlier read is not taken for one of
// this read. Zero never occurs: a zeroed record must not match.
std::int32_t nextStamp() {
    static std::int32_t last = 0;
    last = last == std::numeric_limits<std::int32_t>::max() ? 1 : last + 1;
    return last;
}

std::int32_t dateVerdictCode(SepaDates::Verdict verdict) {
    return SepaDates::codeOf(
        verdict, {dta::kExecutionDateInPast, dta::kCollectionTooEarly, dta::kBadMandateDate});
}

} // namespace

void DtaSession::note(const std::string& utf8Line) {
    m_protocol.append(utf8Line).append("\r\n");
}

void DtaSession::clear() {
    m_file.clear();
    std::string().swap(m_protocol);
    m_haveEntries = false;
    m_haveProtocol = false;
    m_cursor = 0;
    m_stamp = 0;
}

std::int32_t DtaSession::read(const char* fileName, char* summary) {
    if (fileName == nullptr) {
        return result::kNullArgument;
    }
    clear();
    const std::string name = zalvo::Record::textOf(fileName, zalvo::kPathBufferSize);
    if (name.empty() || name.size() > zalvo::kMaxPathChars) {
        return dta::kBadArgument;
    }
    const std::string utf8Name = win1252::toUtf8(name);
    const std::int32_t rc = DtaReader().readFile(utf8Name, m_file);
    m_protocol = "DTA-Datei: " + utf8Name + "\r\n" + m_file.protocol;
    std::string().swap(m_file.protocol);
    m_haveProtocol = true;
    if (rc != dta::kOk) {
        m_file.clear();
        return rc;
    }
    m_haveEntries = true;
    m_stamp = nextStamp();
    if (summary != nullptr) {
        std::memset(summary, 0, dtaread::kSize);
        const auto putInt = [&](zalvo::Field field, std::size_t value) {
            const auto v = static_cast<std::int32_t>(value);
            std::memcpy(summary + field.offset, &v, sizeof v);
        };
        const std::size_t debits = m_file.countOf(true);
        putInt(dtaread::kEntries, m_file.entries.size());
        putInt(dtaread::kCreditTransfers, m_file.entries.size() - debits);
        putInt(dtaread::kDirectDebits, debits);
        putInt(dtaread::kLogicalFiles, m_file.files.size());
        const std::string sum = std::to_string(m_file.amountSum());
        std::memcpy(summary + dtaread::kSumCents.offset, sum.data(),
                    std::min(sum.size(), dtaread::kSumCents.maxChars()));
    }
    return dta::kOk;
}

std::int32_t DtaSession::next(char* record, const std::int32_t* counter) {
    if (record == nullptr || counter == nullptr) {
        return result::kNullArgument;
    }
    if (!m_haveEntries) {
        return dta::kNothingRead;
    }
    if (m_cursor >= m_file.entries.size()) {
        return dta::kNoEntryLeft;
    }
    const DtaEntry& entry = m_file.entries[m_cursor];
    ++m_cursor;
    DtaInfoRecord(record).fill(entry, static_cast<std::int32_t>(m_cursor), m_stamp,
                               m_file.files[entry.logicalFile - 1].executionDate);
    return dta::kOk;
}

std::int32_t DtaSession::put(const char* record) {
    if (record == nullptr) {
        return result::kNullArgument;
    }
    if (!m_haveEntries) {
        return dta::kNothingRead;
    }
    // The record is only read; the cast serves the shared accessor.
    const DtaInfoRecord info(const_cast<char*>(record));
    const std::int32_t number = info.int32(dtainfo::kEntryNumber);
    if (info.int32(dtainfo::kReadStamp) != m_stamp || number < 1 ||
        static_cast<std::size_t>(number) > m_cursor) {
        return dta::kUnknownEntry;
    }
    DtaEntry& entry = m_file.entries[static_cast<std::size_t>(number) - 1];
    const std::int32_t kind = info.int32(dtainfo::kPaymentKind);
    if ((kind == dtainfo::kKindDirectDebit) != entry.directDebit) {
        return dta::kUnknownEntry;
    }

    DtaCompletion completion;
    completion.executionDate = info.text(dtainfo::kExecutionDate);
    const std::int32_t executionDay = info.terminated(dtainfo::kExecutionDate)
                                          ? SepaDates::dayNumber(completion.executionDate)
                                          : -1;
    if (executionDay < 0) {
        return dta::kBadExecutionDate;
    }
    const std::int32_t today = Today();
    if (const std::int32_t verdict = dateVerdictCode(
            entry.directDebit ? SepaDates::checkCollection(executionDay, executionDay, today)
                              : SepaDates::checkExecution(executionDay, today))) {
        return verdict;
    }
    if (entry.directDebit) {
        completion.creditorId = info.text(dtainfo::kCreditorId);
        if (!info.terminated(dtainfo::kCreditorId) ||
            !SepaIdentifiers::isValidCreditorId(completion.creditorId)) {
            return dta::kBadCreditorId;
        }
        completion.mandateReference = info.text(dtainfo::kMandateReference);
        if (!info.terminated(dtainfo::kMandateReference) ||
            !SepaText::isIdentifier(completion.mandateReference, false)) {
            return dta::kBadMandateReference;
        }
        completion.mandateDate = info.text(dtainfo::kMandateDate);
        const std::int32_t mandateDay = info.terminated(dtainfo::kMandateDate)
                                            ? SepaDates::dayNumber(completion.mandateDate)
                                            : -1;
        if (mandateDay < 0 || SepaDates::checkCollection(executionDay, mandateDay, today) ==
                                  SepaDates::Verdict::MandateAfterCollection) {
            return dta::kBadMandateDate;
        }
        completion.sequenceSetting = info.int32(dtainfo::kSequenceSetting);
        completion.schemeSetting = info.int32(dtainfo::kSchemeSetting);
        const bool sequenceOk = completion.sequenceSetting >= dtainfo::kSequenceFirst &&
                                completion.sequenceSetting <= dtainfo::kSequenceOneOff;
        const bool schemeOk = completion.schemeSetting == dtainfo::kSchemeByTextKey ||
                              completion.schemeSetting == dtainfo::kSchemeCore ||
                              completion.schemeSetting == dtainfo::kSchemeB2B;
        if (!sequenceOk || !schemeOk) {
            return dta::kBadDebitSettings;
        }
        if (completion.schemeSetting == dtainfo::kSchemeByTextKey) {
            completion.schemeSetting =
                entry.textKey / 1000 == kB2BTextKey ? dtainfo::kSchemeB2B : dtainfo::kSchemeCore;
        }
    }
    completion.stored = true;
    entry.completion = std::move(completion);
    return dta::kOk;
}

std::int32_t DtaSession::writeXml(const char* header, const BankTable& table,
                                  std::string_view tempDirectory,
                                  const DtaXmlExport::NoticeLog& logNotice) {
    if (header == nullptr) {
        return result::kNullArgument;
    }
    if (!m_haveEntries) {
        return dta::kNothingRead;
    }
    std::int32_t type = 0;
    std::memcpy(&type, header + zalvo::fileheader::kPaymentType.offset, sizeof type);
    if (type != zalvo::fileheader::kCreditTransfer && type != zalvo::fileheader::kDirectDebit) {
        return dta::kBadPaymentType;
    }
    const bool directDebit = type == zalvo::fileheader::kDirectDebit;
    const char* kindName = directDebit ? "Lastschriften" : "Überweisungen";
    if (m_file.countOf(directDebit) == 0) {
        note(std::string("FEHLER ") + std::to_string(dta::kNoEntriesOfType) + ": keine " +
             kindName + " gelesen");
        return dta::kNoEntriesOfType;
    }
    for (std::size_t i = 0; i < m_file.entries.size(); ++i) {
        const DtaEntry& entry = m_file.entries[i];
        if (entry.directDebit == directDebit && !entry.completion.stored) {
            note("FEHLER " + std::to_string(dta::kEntryNotCompleted) + ": Zahlung " +
                 std::to_string(i + 1) + " wurde nicht mit PutDTAInfo vervollständigt");
            return dta::kEntryNotCompleted;
        }
    }
    std::string lines;
    const std::int32_t rc =
        DtaXmlExport::write(m_file, directDebit, header, table, tempDirectory, lines, logNotice);
    m_protocol += lines;
    return rc;
}

std::int32_t DtaSession::protocol(char* buffer, std::int32_t size) const {
    if (buffer == nullptr) {
        return result::kNullArgument;
    }
    if (size < 1) {
        return dta::kBadArgument;
    }
    if (!m_haveProtocol) {
        return dta::kNothingRead;
    }
    const std::string text = win1252::fromUtf8(m_protocol);
    const std::size_t count = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(buffer, text.data(), count);
    buffer[count] = '\0';
    return static_cast<std::int32_t>(
        std::min<std::size_t>(text.size(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace paylib
