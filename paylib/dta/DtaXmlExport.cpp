#include "paylib/dta/DtaXmlExport.h"

#include "abi/RecordLayouts.h"
#include "paylib/dta/DtaFile.h"
#include "paylib/dta/DtaInfoRecord.h"
#include "paylib/dta/DtaResult.h"
#include "paylib/dta/DtaText.h"
#include "paylib/sepa/SepaPayment.h"
#include "paylib/sepa/SepaXmlFile.h"
#include "platform/Win1252.h"

#include <cstring>
#include <memory>

namespace paylib {
namespace {

constexpr std::size_t kMaxRemittance = 140;
constexpr int kBankCodeDigits = 8;
constexpr std::int32_t kFirstNotice = 129;

bool fieldText(const char* record, zalvo::Field field, std::string& text) {
    const char* start = record + field.offset;
    const auto* end = static_cast<const char*>(std::memchr(start, '\0', field.width));
    if (end == nullptr) {
        return false;
    }
    text.assign(start, end);
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

SepaPayment paymentOf(const DtaEntry& entry) {
    SepaPayment p;
    p.executionDate = entry.completion.executionDate;
    p.originatorName = dtatext::toSepaFriendly(entry.originatorName);
    p.originatorBankCode = bankCode(entry.originatorBankCode);
    p.originatorAccount = std::to_string(entry.originatorAccount);
    p.recipientName = dtatext::toSepaFriendly(entry.counterpartyName);
    p.recipientBankCode = bankCode(entry.counterpartyBankCode);
    p.recipientAccount = std::to_string(entry.counterpartyAccount);
    p.amountCents = std::to_string(entry.amountCents);
    p.remittance = dtatext::toSepaFriendly(entry.purpose).substr(0, kMaxRemittance);
    if (entry.directDebit) {
        p.creditorId = entry.completion.creditorId;
        p.mandateReference = entry.completion.mandateReference;
        p.mandateDate = entry.completion.mandateDate;
        p.instrument = entry.completion.schemeSetting == dtainfo::kSchemeB2B
                           ? SepaPayment::Instrument::B2B
                           : SepaPayment::Instrument::Core;
        p.sequence = sequenceOf(entry.completion.sequenceSetting);
    }
    return p;
}

} // namespace

std::int32_t DtaXmlExport::write(const DtaFile& file, bool directDebit, const char* header,
                                 const BankTable& table, std::string_view tempDirectory,
                                 std::string& protocolLines) {
    const auto note = [&](const std::string& line) { protocolLines.append(line).append("\r\n"); };
    SepaFileSpec fileSpec;
    fileSpec.kind =
        directDebit ? SepaFileSpec::Kind::DirectDebit : SepaFileSpec::Kind::CreditTransfer;
    if (!fieldText(header, zalvo::fileheader::kExportPath, fileSpec.directory) ||
        !fieldText(header, zalvo::fileheader::kFileName, fileSpec.fileName) ||
        !fieldText(header, zalvo::fileheader::kMessageId, fileSpec.messageId) ||
        !fieldText(header, zalvo::fileheader::kInitiatingParty, fileSpec.initiatingParty)) {
        note("FEHLER " + std::to_string(dta::kBadExportTarget) +
             ": ein Text des Dateikopfs endet nicht in seinem Feld");
        return dta::kBadExportTarget;
    }

    std::unique_ptr<SepaXmlFile> xml;
    const std::int32_t opened = SepaXmlFile::open(fileSpec, tempDirectory, table, xml);
    if (opened < 0) {
        note("FEHLER " + std::to_string(opened) + ": XML-Datei " +
             win1252::toUtf8(fileSpec.fileName) + " kann nicht angelegt werden");
        return opened;
    }
    std::int32_t notice = 0;
    for (std::size_t i = 0; i < file.entries.size(); ++i) {
        const DtaEntry& entry = file.entries[i];
        if (entry.directDebit != directDebit) {
            continue;
        }
        const std::int32_t added = xml->add(paymentOf(entry));
        if (added < 0) {
            note("FEHLER " + std::to_string(added) + ": Zahlung " + std::to_string(i + 1) +
                 " (BLZ " + bankCode(entry.counterpartyBankCode) + ", Konto " +
                 std::to_string(entry.counterpartyAccount) + ", " +
                 win1252::toUtf8(entry.counterpartyName) +
                 ") wurde abgewiesen, es wird keine XML-Datei geschrieben");
            return added;
        }
        if (added >= kFirstNotice) {
            notice = added;
            note("HINWEIS " + std::to_string(added) + ": Zahlung " + std::to_string(i + 1));
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
