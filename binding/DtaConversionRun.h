#pragma once

#include "abi/EntryPoints.h"
#include "binding/DtaConversion.h"
#include "binding/OwnerWindow.h"

#include <cstdint>
#include <string_view>

namespace zalvo {

class BusyIndicator;
class DtaFileChooser;

// One DTA-to-XML conversion: the user picks a DTA file, the library reads it, the run walks
// through the entries the library offers, completes each with test values and hands it back,
// then writes one XML file per payment kind found. Every result is reported with the owner
// window as owner; FreeDTAVars ends every run. The front end lends the file dialogs and the
// busy sign.
class DtaConversionRun {
public:
    // Entries of one run; a DTA file may hold more than 2^31 of them.
    using EntryCount = std::int64_t;
    // Entries between two passes of the event loop, so the window keeps painting.
    static constexpr EntryCount kEntriesPerEventPass = 256;

    DtaConversionRun(OwnerWindow owner, DtaFileChooser& chooser, BusyIndicator& busy);
    DtaConversionRun(const DtaConversionRun&) = delete;
    DtaConversionRun& operator=(const DtaConversionRun&) = delete;

    void execute();

private:
    using Kind = DtaConversion::Kind;
    class MessagesWithoutBusySign;

    void convert(std::string_view chosen);
    bool entryPointsAvailable();
    void readEntries();
    // False when no file was written: the dialog was cancelled or the name refused.
    bool writeXml(Kind kind);
    void reportWrites(bool creditWritten, int32_t creditResult, bool debitWritten);
    void showBusy();
    void liftBusy();

    OwnerWindow m_owner;
    DtaFileChooser& m_chooser;
    BusyIndicator& m_busyIndicator;
    bool m_busy = false;
    bool m_errorSeen = false;
    bool m_creditSeen = false;
    bool m_debitSeen = false;
    int32_t m_lastResult = kResultOk;
};

} // namespace zalvo
