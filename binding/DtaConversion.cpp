#include "binding/DtaConversion.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/MessageSink.h"
#include "binding/ResultReporter.h"
#include "helpers/DateHelpers.h"
#include "platform/Win1252.h"
#include "platform/Win1252Literal.h"

namespace zalvo {

namespace {

using namespace win1252::literals;

// Names offered in the save dialog.
constexpr std::string_view kCreditFileName = "Überweisungen.xml"_win1252;
constexpr std::string_view kDebitFileName = "Lastschriften.xml";

// Any negative code gives the error caption and icon.
constexpr int32_t kRefusalCode = -1;

constexpr std::string_view kDtaNameTooLong =
    "Der Name der DTA-Datei ist länger als 255 Zeichen.\r\n\r\n"
    "Die DTA-Datei wurde nicht eingelesen."_win1252;
constexpr std::string_view kDtaNameNotRepresentable =
    "Der Name der DTA-Datei enthält Zeichen, die der DLL nicht übergeben werden können.\r\n\r\n"
    "Die DTA-Datei wurde nicht eingelesen."_win1252;
constexpr std::string_view kExportPathTooLong =
    "Das Verzeichnis der XML-Datei ist länger als 255 Zeichen.\r\n\r\n"
    "Die XML-Datei wurde nicht geschrieben."_win1252;
constexpr std::string_view kXmlNameTooLong =
    "Der Name der XML-Datei ist länger als 35 Zeichen.\r\n\r\n"
    "Die XML-Datei wurde nicht geschrieben."_win1252;
constexpr std::string_view kXmlNameNotRepresentable =
    "Der Name der XML-Datei enthält Zeichen, die der DLL nicht übergeben werden können.\r\n\r\n"
    "Die XML-Datei wurde nicht geschrieben."_win1252;
constexpr std::string_view kAppended = "   ";

} // namespace

DtaConversion::Kind DtaConversion::kindOf(const Record& info) {
    return info.int32(dtainfo::kPaymentKind) == dtainfo::kKindDirectDebit ? Kind::DirectDebit
                                                                          : Kind::CreditTransfer;
}

DtaConversion::Kind DtaConversion::completeEntry(Record& info, int32_t today) {
    const Kind kind = kindOf(info);
    if (kind == Kind::DirectDebit) {
        info.putText(dtainfo::kExecutionDate, DateToDigits(today + kDebitExecutionDays));
        info.putText(dtainfo::kCreditorId, kCreditorId);
        info.putText(dtainfo::kMandateReference, kMandateReference);
        info.putText(dtainfo::kMandateDate, DateToDigits(today + kMandateDays));
        info.putInt32(dtainfo::kFirstDebitSetting, dtainfo::kFirstDebitValue);
        info.putInt32(dtainfo::kSecondDebitSetting, dtainfo::kSecondDebitValue);
    } else {
        info.putText(dtainfo::kExecutionDate, DateToDigits(today + kCreditExecutionDays));
    }
    return kind;
}

DtaConversion::XmlTarget DtaConversion::splitXmlFileName(std::string_view chosen, PathStyle style) {
    return XmlTarget{DirectoryPart(chosen, style), FileNamePart(chosen, style)};
}

bool DtaConversion::fitsFileName(std::string_view fileName) {
    return fileName.size() <= fileheader::kFileNameMaxChars;
}

std::optional<std::string> DtaConversion::libraryName(std::string_view chosen) {
    std::string bytes = win1252::fromUtf8(chosen);
    if (bytes.find('\0') != std::string::npos || win1252::toUtf8(bytes) != chosen) {
        return std::nullopt;
    }
    return bytes;
}

bool DtaConversion::fitsPath(std::string_view name) {
    return name.size() <= kMaxPathChars;
}

void DtaConversion::fillFileHeader(Record& header, const XmlTarget& target, Kind kind) {
    header.zero();
    header.putText(fileheader::kExportPath, target.exportPath);
    header.putText(fileheader::kFileName, target.fileName);
    header.putText(fileheader::kMessageId, kMessageId);
    header.putText(fileheader::kInitiatingParty, kInitiatingParty);
    header.putInt32(fileheader::kPaymentType, kind == Kind::DirectDebit
                                                  ? fileheader::kDirectDebit
                                                  : fileheader::kCreditTransfer);
}

std::string_view DtaConversion::presetFileName(Kind kind) {
    return kind == Kind::DirectDebit ? kDebitFileName : kCreditFileName;
}

std::string DtaConversion::refusalText(Refusal refusal) {
    std::string text;
    switch (refusal) {
    case Refusal::DtaNameTooLong:
        text = kDtaNameTooLong;
        break;
    case Refusal::DtaNameNotRepresentable:
        text = kDtaNameNotRepresentable;
        break;
    case Refusal::ExportPathTooLong:
        text = kExportPathTooLong;
        break;
    case Refusal::XmlNameTooLong:
        text = kXmlNameTooLong;
        break;
    case Refusal::XmlNameNotRepresentable:
        text = kXmlNameNotRepresentable;
        break;
    }
    text += kAppended;
    return text;
}

void DtaConversion::showRefusal(OwnerWindow owner, Refusal refusal) {
    // Not a library result, so it does not go through the result codes: a cut name would
    // have named another file, and no code of the library describes that.
    if (MessageSink* sink = ResultReporter::sink()) {
        sink->show(owner, ResultReporter::caption(kRefusalCode), refusalText(refusal),
                   ResultReporter::icon(kRefusalCode), {});
    }
}

} // namespace zalvo
