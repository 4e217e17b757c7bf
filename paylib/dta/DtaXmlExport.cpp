#include "paylib/dta/DtaXmlExport.h"

#include "abi/RecordLayouts.h"
#include "abi/RecordView.h"
#include "helpers/DateHelpers.h"
#include "paylib/ResultCodes.h"
#include "paylib/dta/DtaFile.h"
#include "paylib/dta/DtaInfoRecord.h"
#include "paylib/dta/DtaText.h"
#include "paylib/sepa/SepaPayment.h"
#include "paylib/sepa/SepaXmlFile.h"
#include "platform/Win1252.h"

#include <memory>

namespace paylib {
namespace {

constexpr int kBankCodeDigits = 8;
constexpr std::int32_t kFirstNotice = 129;
// Text keys are C7a and C7b as five digits; the first two tell the kind of payment.
constexpr std::uint32_t kTextKeyExtension = 1000;
constexpr std::uint32_t kSalaryKey = 53;
constexpr std::uint32_t kCapitalFormingKey = 54;

// False for a field the caller left unterminated: its text would be a guess.
bool fieldText(zalvo::RecordView record, zalvo::Field field, std::string& text) {
    if (!record.terminated(field)) {
        return false;
    }
    text = record.text(field);
    return true;
}

std::string bankCode(std::uint32_t code) {
    std::string text = std::to_string(code);
    text.insert(0,
                static_cast<std::size_t>(kBankCodeDigits) -
                    std::min<std::size_t>(text.size(), kBankCodeDigits),
                '0');
    return text;
}

SepaPayment::Sequence sequenceOf(std::int32_t setting) {
    switch (setting) {
    case dtainfo::kSequenceFirst:
        return SepaPayment::Sequence::First;
    case dtainfo::kSequenceFinal:
        return SepaPayment::Sequence::Final;
    case dtainfo::kSequenceOneOff:
        return SepaPayment::Sequence::OneOff;
    default:
        return SepaPayment::Sequence::Recurrent;
    }
}

// Fills `p` in place, so its texts keep their memory from entry to entry.
void fillPayment(const DtaEntry& entry, SepaPayment& p) {
    p.executionDate = entry.completion.executionDate;
    DtaXmlExport::collapseBlanks(entry.originatorName, p.originatorName);
    p.originatorBankCode = bankCode(entry.originatorBankCode);
    p.originatorAccount = std::to_string(entry.originatorAccount);
    DtaXmlExport::collapseBlanks(entry.counterpartyName, p.recipientName);
    p.recipientBankCode = bankCode(entry.counterpartyBankCode);
    p.recipientAccount = std::to_string(entry.counterpartyAccount);
    p.amountCents = std::to_string(entry.amountCents);
    p.remittance = entry.purpose;
    const DtaXmlExport::Purposes purposes = DtaXmlExport::purposesOf(entry.textKey);
    p.categoryPurpose = purposes.categoryPurpose;
    p.purpose = purposes.purpose;
    if (entry.directDebit) {
        p.creditorId = entry.completion.creditorId;
        p.mandateReference = entry.completion.mandateReference;
        p.mandateDate = entry.completion.mandateDate;
        p.instrument = entry.completion.schemeSetting == dtainfo::kSchemeB2B
                           ? SepaPayment::Instrument::B2B
                           : SepaPayment::Instrument::Core;
        p.sequence = sequenceOf(entry.completion.sequenceSetting);
    }
}

std::string entryName(std::size_t index, const DtaEntry& entry) {
    return "Zahlung " + std::to_string(index + 1) + " (BLZ " +
           bankCode(entry.counterpartyBankCode) + ", Konto " +
           std::to_string(entry.counterpartyAccount) + ", " +
           win1252::toUtf8(entry.counterpartyName) + ")";
}

} // namespace

DtaXmlExport::Purposes DtaXmlExport::purposesOf(std::uint32_t textKey) {
    switch (textKey / kTextKeyExtension) {
    case kSalaryKey:
        return {"SALA", ""};
    case kCapitalFormingKey:
        return {"", "CBFF"};
    default:
        return {};
    }
}

void DtaXmlExport::collapseBlanks(std::string_view name, std::string& out) {
    out.clear();
    for (char c : name) {
        if (c != ' ' || out.empty() || out.back() != ' ')
            out += c;
    }
}

std::int32_t DtaXmlExport::write(const DtaFile& file, bool directDebit, const char* header,
                                 const BankTable& table, std::string_view tempDirectory,
                                 std::string& protocolLines, const NoticeLog& logNotice) {
    const auto note = [&](const std::string& line) { protocolLines.append(line).append("\r\n"); };
    SepaFileSpec fileSpec;
    fileSpec.kind =
        directDebit ? SepaFileSpec::Kind::DirectDebit : SepaFileSpec::Kind::CreditTransfer;
    const zalvo::RecordView record(header, zalvo::fileheader::kSize);
    if (!fieldText(record, zalvo::fileheader::kExportPath, fileSpec.directory) ||
        !fieldText(record, zalvo::fileheader::kFileName, fileSpec.fileName) ||
        !fieldText(record, zalvo::fileheader::kMessageId, fileSpec.messageId) ||
        !fieldText(record, zalvo::fileheader::kInitiatingParty, fileSpec.initiatingParty)) {
        note("FEHLER " + std::to_string(result::kBadExportTarget) +
             ": ein Text des Dateikopfs endet nicht in seinem Feld");
        return result::kBadExportTarget;
    }

    std::unique_ptr<SepaXmlFile> xml;
    const std::int32_t opened = SepaXmlFile::open(fileSpec, tempDirectory, table, xml);
    if (opened < 0) {
        note("FEHLER " + std::to_string(opened) + ": XML-Datei " +
             win1252::toUtf8(fileSpec.fileName) + " kann nicht angelegt werden");
        return opened;
    }
    const auto reportNotice = [&](std::int32_t code, const std::string& what) {
        const std::string_view text = result::resultMessage(code);
        note("HINWEIS " + std::to_string(code) + ": " + what + ": " + win1252::toUtf8(text));
        if (logNotice)
            logNotice(code, win1252::fromUtf8(what) + ": " + std::string(text) +
                                ". Hinweis: " + std::to_string(code));
    };
    std::int32_t notice = 0;
    SepaPayment payment;
    // The whole file is judged on the day it is made.
    const std::int32_t today = Today();
    if (opened >= kFirstNotice) {
        notice = opened;
        reportNotice(opened, "XML-Datei " + win1252::toUtf8(fileSpec.fileName));
    }
    for (std::size_t i = 0; i < file.entries.size(); ++i) {
        const DtaEntry& entry = file.entries[i];
        if (entry.directDebit != directDebit) {
            continue;
        }
        fillPayment(entry, payment);
        const std::int32_t added = xml->add(payment, today);
        if (added < 0) {
            note("FEHLER " + std::to_string(added) + ": " + entryName(i, entry) +
                 " wurde abgewiesen, es wird keine XML-Datei geschrieben");
            return added;
        }
        for (std::int32_t code : xml->notices()) {
            notice = code;
            reportNotice(code, entryName(i, entry));
        }
    }
    SepaSummary summary;
    const std::int32_t closed = xml->close(summary);
    if (closed < 0) {
        note("FEHLER " + std::to_string(closed) + ": XML-Datei " + xml->targetPath() +
             " kann nicht geschrieben werden");
        return closed;
    }
    note(std::string(directDebit ? "Lastschriften" : "Überweisungen") + " geschrieben: " +
         xml->targetPath() + ", " + std::to_string(summary.count) + " Zahlungen, Summe " +
         dtatext::formatCents(static_cast<std::uint64_t>(summary.sumCents)) + " EUR");
    return closed != 0 ? closed : notice;
}

} // namespace paylib
