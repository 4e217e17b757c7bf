#include "binding/DtaConversionRun.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "binding/BusyIndicator.h"
#include "binding/DtaFileChooser.h"
#include "binding/LibraryCall.h"
#include "binding/MessageSink.h"
#include "binding/ResultReporter.h"
#include "helpers/DateHelpers.h"
#include "platform/Win1252.h"

#include <utility>

namespace zalvo {

namespace {

// The message of a failed GetDTAInfo spells the name with a lower-case i.
constexpr std::string_view kGetDTAInfoReportName = "Zalvotech_GetDTAinfo";

// A result of a call whose slot was checked before; an empty one counts as a failure.
int32_t resultOf(std::optional<int32_t> called) {
    return called.value_or(kEntryPointMissing);
}

} // namespace

// Stands in front of the installed message sink for the length of a run, so every message
// box, whoever shows it, gets the normal cursor while it is open.
class DtaConversionRun::MessagesWithoutBusySign : public MessageSink {
public:
    explicit MessagesWithoutBusySign(DtaConversionRun& run)
        : m_run(run), m_installed(ResultReporter::sink()) {
        ResultReporter::setSink(this);
    }
    ~MessagesWithoutBusySign() override {
        ResultReporter::setSink(m_installed);
        m_run.liftBusy();
    }
    MessagesWithoutBusySign(const MessagesWithoutBusySign&) = delete;
    MessagesWithoutBusySign& operator=(const MessagesWithoutBusySign&) = delete;

    void show(OwnerWindow owner, std::string_view caption, std::string_view text, MessageIcon icon,
              std::string_view description) override {
        const bool wasBusy = m_run.m_busy;
        m_run.liftBusy();
        if (m_installed) {
            m_installed->show(owner, caption, text, icon, description);
        }
        if (wasBusy) {
            m_run.showBusy();
        }
    }

private:
    DtaConversionRun& m_run;
    MessageSink* m_installed;
};

DtaConversionRun::DtaConversionRun(OwnerWindow owner, DtaFileChooser& chooser, BusyIndicator& busy)
    : m_owner(owner), m_chooser(chooser), m_busyIndicator(busy) {}

void DtaConversionRun::execute() {
    m_errorSeen = false;
    m_creditSeen = false;
    m_debitSeen = false;
    m_lastResult = kResultOk;
    MessagesWithoutBusySign messages(*this);
    if (const auto chosen = m_chooser.chooseDtaFile(m_owner)) {
        convert(*chosen);
    }
    // Also after a cancelled dialog and after every error: the library forgets any read. Its
    // result says nothing the user could act on.
    static_cast<void>(LibraryCall::call<EntryPoint::FreeDTAVars>(m_owner, CallReport::SlotOnly));
}

void DtaConversionRun::convert(std::string_view chosen) {
    const auto name = DtaConversion::libraryName(chosen);
    if (!name) {
        DtaConversion::showRefusal(m_owner, DtaConversion::Refusal::DtaNameNotRepresentable);
        return;
    }
    // A cut name would be another file.
    if (!DtaConversion::fitsPath(*name)) {
        DtaConversion::showRefusal(m_owner, DtaConversion::Refusal::DtaNameTooLong);
        return;
    }
    if (!entryPointsAvailable()) {
        return;
    }

    showBusy();
    Record fileName(kPathBufferSize);
    fileName.putText(0, kMaxPathChars, *name);
    Record readBuffer(kReadDTABufferSize);
    m_lastResult = resultOf(LibraryCall::call<EntryPoint::ReadDTA>(
        m_owner, CallReport::UnlessOk, std::as_const(fileName).view(), readBuffer.view()));
    if (m_lastResult != kResultOk) {
        m_errorSeen = true;
    } else {
        readEntries();
    }
    liftBusy();
    if (m_errorSeen) {
        return;
    }

    if (!LibraryCall::available<EntryPoint::WriteDTAtoXML>(m_owner)) {
        return;
    }
    const bool creditWritten = m_creditSeen && writeXml(Kind::CreditTransfer);
    const int32_t creditResult = m_lastResult;
    const bool debitWritten = m_debitSeen && writeXml(Kind::DirectDebit);
    reportWrites(creditWritten, creditResult, debitWritten);
}

bool DtaConversionRun::entryPointsAvailable() {
    // All three before the first call, so a missing one leaves the file unread.
    return LibraryCall::available<EntryPoint::ReadDTA>(m_owner) &&
           LibraryCall::available<EntryPoint::GetDTAInfo>(m_owner) &&
           LibraryCall::available<EntryPoint::PutDTAInfo>(m_owner);
}

void DtaConversionRun::readEntries() {
    const int32_t today = Today();
    // The library moves on by itself; the counter only has to start at 1.
    int32_t counter = 1;
    Record info(dtainfo::kSize);
    for (EntryCount handled = 1;; ++handled) {
        info.zero();
        m_lastResult = resultOf(LibraryCall::call<EntryPoint::GetDTAInfo>(
            m_owner, CallReport::SlotOnly, info.view(), Counter(&counter, 1)));
        if (m_lastResult == kNoEntryLeft) {
            break;
        }
        if (m_lastResult != kResultOk) {
            ResultReporter::report(m_owner, kGetDTAInfoReportName, m_lastResult);
            m_errorSeen = true;
            break;
        }
        if (DtaConversion::completeEntry(info, today) == Kind::DirectDebit) {
            m_debitSeen = true;
        } else {
            m_creditSeen = true;
        }
        m_lastResult = resultOf(
            LibraryCall::call<EntryPoint::PutDTAInfo>(m_owner, CallReport::UnlessOk, info.view()));
        // The remaining entries are still handed back, but nothing is written.
        if (m_lastResult != kResultOk) {
            m_errorSeen = true;
        }
        if (handled % kEntriesPerEventPass == 0) {
            m_busyIndicator.letEventsThrough();
        }
    }
}

bool DtaConversionRun::writeXml(Kind kind) {
    const auto chosen =
        m_chooser.chooseXmlTarget(m_owner, win1252::toUtf8(DtaConversion::presetFileName(kind)));
    if (!chosen) {
        return false;
    }
    // A refused name counts as a cancelled dialog: the other file can still be written.
    const auto name = DtaConversion::libraryName(*chosen);
    if (!name) {
        DtaConversion::showRefusal(m_owner, DtaConversion::Refusal::XmlNameNotRepresentable);
        return false;
    }
    const auto target = DtaConversion::splitXmlFileName(*name);
    if (!DtaConversion::fitsPath(target.exportPath)) {
        DtaConversion::showRefusal(m_owner, DtaConversion::Refusal::ExportPathTooLong);
        return false;
    }
    // A cut name would write another file than the one the dialog asked about, and two long
    // names sharing their first 35 characters would silently end up in one file.
    if (!DtaConversion::fitsFileName(target.fileName)) {
        DtaConversion::showRefusal(m_owner, DtaConversion::Refusal::XmlNameTooLong);
        return false;
    }
    Record header(fileheader::kSize);
    DtaConversion::fillFileHeader(header, target, kind);
    showBusy();
    m_lastResult = resultOf(
        LibraryCall::call<EntryPoint::WriteDTAtoXML>(m_owner, CallReport::SlotOnly, header.view()));
    liftBusy();
    return true;
}

void DtaConversionRun::reportWrites(bool creditWritten, int32_t creditResult, bool debitWritten) {
    const std::string_view writeName = entryPointName(EntryPoint::WriteDTAtoXML);
    // The closing report shows the latest write only, so an answer of the credit transfer
    // file other than success is shown first rather than hidden behind the second file's.
    if (creditWritten && debitWritten && creditResult != kResultOk) {
        ResultReporter::report(m_owner, writeName, creditResult);
    }
    // The latest write, or the -3 that ended the entries when nothing was written.
    ResultReporter::report(m_owner, writeName, m_lastResult);
}

void DtaConversionRun::showBusy() {
    if (!m_busy) {
        m_busyIndicator.setBusy(true);
        m_busy = true;
    }
}

void DtaConversionRun::liftBusy() {
    if (m_busy) {
        m_busyIndicator.setBusy(false);
        m_busy = false;
    }
}

} // namespace zalvo
