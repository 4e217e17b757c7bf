#include "paylib/dta/DtaSession.h"

#include "abi/MutableRecordView.h"
#include "helpers/DateHelpers.h"
#include "paylib/ResultCodes.h"
#include "paylib/dta/DtaInfoRecord.h"
#include "paylib/dta/DtaReader.h"
#include "paylib/dta/DtaText.h"
#include "paylib/dta/DtaXmlExport.h"
#include "paylib/sepa/SepaDates.h"
#include "paylib/sepa/SepaIdentifiers.h"
#include "paylib/sepa/SepaText.h"
#include "platform/Win1252.h"

#include <algorithm>
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
    return SepaDates::codeOf(verdict, {result::kDtaExecutionDateInPast,
                                       result::kDtaCollectionTooEarly, result::kBadMandateDate});
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
    const std::string name =
        zalvo::RecordView(fileName, zalvo::kPathBufferSize).text(0, zalvo::kPathBufferSize);
    if (name.empty() || name.size() > zalvo::kMaxPathChars) {
        return result::kBadArgument;
    }
    const std::string utf8Name = win1252::toUtf8(name);
    const std::int32_t rc = DtaReader().readFile(utf8Name, m_file);
    m_protocol = "DTA-Datei: " + utf8Name + "\r\n" + m_file.protocol;
    std::string().swap(m_file.protocol);
    m_haveProtocol = true;
    if (rc != result::kOk) {
        m_file.clear();
        return rc;
    }
    m_haveEntries = true;
    m_stamp = nextStamp();
    if (summary != nullptr) {
        writeSummary(zalvo::MutableRecordView(summary, dtaread::kSize));
    }
    return result::kOk;
}

void DtaSession::writeSummary(zalvo::MutableRecordView summary) const {
    const auto count = [](std::size_t value) { return static_cast<std::int32_t>(value); };
    const std::size_t debits = m_file.countOf(true);
    summary.zero();
    summary.putInt32(dtaread::kEntries, count(m_file.entries.size()));
    summary.putInt32(dtaread::kCreditTransfers, count(m_file.entries.size() - debits));
    summary.putInt32(dtaread::kDirectDebits, count(debits));
    summary.putInt32(dtaread::kLogicalFiles, count(m_file.files.size()));
    summary.putText(dtaread::kSumCents, std::to_string(m_file.amountSum()));
}

std::int32_t DtaSession::next(char* record, const std::int32_t* counter) {
    if (record == nullptr || counter == nullptr) {
        return result::kNullArgument;
    }
    if (!m_haveEntries) {
        return result::kNothingRead;
    }
    if (m_cursor >= m_file.entries.size()) {
        return result::kNoEntryLeft;
    }
    const DtaEntry& entry = m_file.entries[m_cursor];
    ++m_cursor;
    DtaInfoRecord::fill(zalvo::MutableRecordView(record, dtainfo::kSize), entry,
                        static_cast<std::int32_t>(m_cursor), m_stamp,
                        m_file.files[entry.logicalFile - 1].executionDate);
    return result::kOk;
}

std::int32_t DtaSession::put(const char* record) {
    if (record == nullptr) {
        return result::kNullArgument;
    }
    if (!m_haveEntries) {
        return result::kNothingRead;
    }
    const zalvo::RecordView info(record, dtainfo::kSize);
    const std::int32_t number = info.int32(dtainfo::kEntryNumber);
    if (info.int32(dtainfo::kReadStamp) != m_stamp || number < 1 ||
        static_cast<std::size_t>(number) > m_cursor) {
        return result::kUnknownEntry;
    }
    DtaEntry& entry = m_file.entries[static_cast<std::size_t>(number) - 1];
    const std::int32_t kind = info.int32(dtainfo::kPaymentKind);
    if ((kind == dtainfo::kKindDirectDebit) != entry.directDebit) {
        return result::kUnknownEntry;
    }

    DtaCompletion completion;
    completion.executionDate = info.text(dtainfo::kExecutionDate);
    const std::int32_t executionDay = info.terminated(dtainfo::kExecutionDate)
                                          ? SepaDates::dayNumber(completion.executionDate)
                                          : -1;
    if (executionDay < 0) {
        return result::kBadExecutionDate;
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
            return result::kBadCreditorId;
        }
        completion.mandateReference = info.text(dtainfo::kMandateReference);
        if (!info.terminated(dtainfo::kMandateReference) ||
            !SepaText::isIdentifier(completion.mandateReference, false)) {
            return result::kBadMandateReference;
        }
        completion.mandateDate = info.text(dtainfo::kMandateDate);
        const std::int32_t mandateDay = info.terminated(dtainfo::kMandateDate)
                                            ? SepaDates::dayNumber(completion.mandateDate)
                                            : -1;
        if (mandateDay < 0 || SepaDates::checkCollection(executionDay, mandateDay, today) ==
                                  SepaDates::Verdict::MandateAfterCollection) {
            return result::kBadMandateDate;
        }
        completion.sequenceSetting = info.int32(dtainfo::kSequenceSetting);
        completion.schemeSetting = info.int32(dtainfo::kSchemeSetting);
        const bool sequenceOk = completion.sequenceSetting >= dtainfo::kSequenceFirst &&
                                completion.sequenceSetting <= dtainfo::kSequenceOneOff;
        const bool schemeOk = completion.schemeSetting == dtainfo::kSchemeByTextKey ||
                              completion.schemeSetting == dtainfo::kSchemeCore ||
                              completion.schemeSetting == dtainfo::kSchemeB2B;
        if (!sequenceOk || !schemeOk) {
            return result::kBadDebitSettings;
        }
        if (completion.schemeSetting == dtainfo::kSchemeByTextKey) {
            completion.schemeSetting =
                entry.textKey / 1000 == kB2BTextKey ? dtainfo::kSchemeB2B : dtainfo::kSchemeCore;
        }
    }
    completion.stored = true;
    entry.completion = std::move(completion);
    return result::kOk;
}

std::int32_t DtaSession::writeXml(const char* header, const BankTable& table,
                                  std::string_view tempDirectory,
                                  const DtaXmlExport::NoticeLog& logNotice) {
    if (header == nullptr) {
        return result::kNullArgument;
    }
    if (!m_haveEntries) {
        return result::kNothingRead;
    }
    const std::int32_t type =
        zalvo::RecordView(header, zalvo::fileheader::kSize).int32(zalvo::fileheader::kPaymentType);
    if (type != zalvo::fileheader::kCreditTransfer && type != zalvo::fileheader::kDirectDebit) {
        return result::kBadPaymentType;
    }
    const bool directDebit = type == zalvo::fileheader::kDirectDebit;
    const char* kindName = directDebit ? "Lastschriften" : "Überweisungen";
    if (m_file.countOf(directDebit) == 0) {
        note(std::string("FEHLER ") + std::to_string(result::kNoEntriesOfType) + ": keine " +
             kindName + " gelesen");
        return result::kNoEntriesOfType;
    }
    for (std::size_t i = 0; i < m_file.entries.size(); ++i) {
        const DtaEntry& entry = m_file.entries[i];
        if (entry.directDebit == directDebit && !entry.completion.stored) {
            note("FEHLER " + std::to_string(result::kEntryNotCompleted) + ": Zahlung " +
                 std::to_string(i + 1) + " wurde nicht mit PutDTAInfo vervollständigt");
            return result::kEntryNotCompleted;
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
        return result::kBadArgument;
    }
    if (!m_haveProtocol) {
        return result::kNothingRead;
    }
    const std::string text = win1252::fromUtf8(m_protocol);
    const auto room = static_cast<std::size_t>(size);
    zalvo::MutableRecordView(buffer, room).putText(0, room - 1, text);
    return static_cast<std::int32_t>(
        std::min<std::size_t>(text.size(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace paylib
