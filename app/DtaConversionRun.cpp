#include "app/DtaConversionRun.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "app/BusyCursor.h"
#include "app/DtaFileDialogs.h"
#include "binding/DLLAPI.h"
#include "binding/ResultReporter.h"
#include "controls/QtOwner.h"
#include "controls/QtText.h"
#include "helpers/DateHelpers.h"

#include <QCoreApplication>
#include <optional>
#include <string>

using zalvo::DLLAPI;
using zalvo::DtaConversion;
using zalvo::EntryPoint;
using zalvo::Record;

namespace {

// The message of a failed GetDTAInfo spells the name with a lower-case i.
constexpr std::string_view kGetDTAInfoReportName = "Zalvotech_GetDTAinfo";

// The Windows-1252 bytes of a chosen name, or nothing when they would name another file:
// characters the code page lacks would turn into "?", a NUL would end the name early.
std::optional<std::string> libraryName(const QString& name) {
    std::string bytes = qttext::toWin1252(name);
    if (bytes.find('\0') != std::string::npos || qttext::fromWin1252(bytes) != name) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

DtaConversionRun::DtaConversionRun(QWidget* owner, DtaFileDialogs& dialogs)
    : m_owner(owner), m_dialogs(dialogs) {}

void DtaConversionRun::execute() {
    m_errorSeen = false;
    m_creditSeen = false;
    m_debitSeen = false;
    m_lastResult = zalvo::kResultOk;
    if (const auto chosen = m_dialogs.openDtaFile(m_owner)) {
        convert(*chosen);
    }
    // Also after a cancelled dialog and after every error: the library forgets any read.
    freeDtaVars();
}

void DtaConversionRun::convert(const QString& chosen) {
    const auto name = libraryName(chosen);
    if (!name) {
        refuse(DtaConversion::Refusal::DtaNameNotRepresentable);
        return;
    }
    // A cut name would be another file.
    if (!DtaConversion::fitsPath(*name)) {
        refuse(DtaConversion::Refusal::DtaNameTooLong);
        return;
    }
    const auto readDta = DLLAPI::entry<EntryPoint::ReadDTA>(owner());
    if (!readDta) {
        return;
    }
    const auto getInfo = DLLAPI::entry<EntryPoint::GetDTAInfo>(owner());
    if (!getInfo) {
        return;
    }
    const auto putInfo = DLLAPI::entry<EntryPoint::PutDTAInfo>(owner());
    if (!putInfo) {
        return;
    }

    {
        BusyCursor busy;
        m_busy = &busy;
        Record fileName(zalvo::kPathBufferSize);
        fileName.putText(0, zalvo::kMaxPathChars, *name);
        Record readBuffer(zalvo::kReadDTABufferSize);
        m_lastResult = readDta(fileName.data(), readBuffer.data());
        if (m_lastResult != zalvo::kResultOk) {
            report(zalvo::entryPointName(EntryPoint::ReadDTA), m_lastResult);
            m_errorSeen = true;
        } else {
            readEntries(getInfo, putInfo);
        }
        m_busy = nullptr;
    }
    if (m_errorSeen) {
        return;
    }

    const auto write = DLLAPI::entry<EntryPoint::WriteDTAtoXML>(owner());
    if (!write) {
        return;
    }
    std::optional<int32_t> creditResult;
    if (m_creditSeen && writeXml(write, Kind::CreditTransfer)) {
        creditResult = m_lastResult;
    }
    const bool debitWritten = m_debitSeen && writeXml(write, Kind::DirectDebit);
    const std::string_view writeName = zalvo::entryPointName(EntryPoint::WriteDTAtoXML);
    // The closing report shows the latest write only, so an answer of the credit transfer
    // file other than success is shown first rather than hidden behind the second file's.
    if (creditResult && debitWritten && *creditResult != zalvo::kResultOk) {
        report(writeName, *creditResult);
    }
    // The latest write, or the -3 that ended the entries when nothing was written.
    report(writeName, m_lastResult);
}

void DtaConversionRun::readEntries(zalvo::GetDTAInfoFn getInfo, zalvo::PutDTAInfoFn putInfo) {
    const int32_t today = Today();
    // The library moves on by itself; the counter only has to start at 1.
    int32_t counter = 1;
    Record info(zalvo::dtainfo::kSize);
    for (int handled = 1;; ++handled) {
        info.zero();
        m_lastResult = getInfo(info.data(), &counter);
        if (m_lastResult == zalvo::kNoEntryLeft) {
            break;
        }
        if (m_lastResult != zalvo::kResultOk) {
            report(kGetDTAInfoReportName, m_lastResult);
            m_errorSeen = true;
            break;
        }
        if (DtaConversion::completeEntry(info, today) == Kind::DirectDebit) {
            m_debitSeen = true;
        } else {
            m_creditSeen = true;
        }
        m_lastResult = putInfo(info.data());
        if (m_lastResult != zalvo::kResultOk) {
            // The remaining entries are still handed back, but nothing is written.
            report(zalvo::entryPointName(EntryPoint::PutDTAInfo), m_lastResult);
            m_errorSeen = true;
        }
        if (handled % kEntriesPerEventPass == 0) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    }
}

bool DtaConversionRun::writeXml(zalvo::WriteDTAtoXMLFn write, Kind kind) {
    const auto chosen =
        m_dialogs.saveXmlFile(m_owner, qttext::fromWin1252(DtaConversion::presetFileName(kind)));
    if (!chosen) {
        return false;
    }
    // A refused name counts as a cancelled dialog: the other file can still be written.
    const auto name = libraryName(*chosen);
    if (!name) {
        refuse(DtaConversion::Refusal::XmlNameNotRepresentable);
        return false;
    }
    const auto target = DtaConversion::splitXmlFileName(*name);
    if (!DtaConversion::fitsPath(target.exportPath)) {
        refuse(DtaConversion::Refusal::ExportPathTooLong);
        return false;
    }
    Record header(zalvo::fileheader::kSize);
    DtaConversion::fillFileHeader(header, target, kind);
    BusyCursor busy;
    m_lastResult = write(header.data());
    return true;
}

void DtaConversionRun::freeDtaVars() {
    // Its result says nothing the user could act on.
    if (const auto freeVars = DLLAPI::entry<EntryPoint::FreeDTAVars>(owner())) {
        freeVars();
    }
}

void DtaConversionRun::report(std::string_view name, int32_t code) {
    if (m_busy) {
        m_busy->pause();
    }
    zalvo::ResultReporter::report(owner(), name, code);
    if (m_busy) {
        m_busy->resume();
    }
}

void DtaConversionRun::refuse(DtaConversion::Refusal refusal) {
    DtaConversion::showRefusal(owner(), refusal);
}

zalvo::OwnerWindow DtaConversionRun::owner() const {
    return ownerHandle(m_owner);
}
