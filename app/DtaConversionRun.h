#pragma once

#include "abi/EntryPoints.h"
#include "binding/DtaConversion.h"
#include "binding/OwnerWindow.h"

#include <cstdint>
#include <string_view>

class BusyCursor;
class DtaFileDialogs;
class QString;
class QWidget;

// One DTA-to-XML conversion: the user picks a DTA file, the library reads it, the run walks
// through the entries the library offers, completes each with test values and hands it back,
// then writes one XML file per payment kind found. Every result is reported with the main
// window as owner; FreeDTAVars ends every run.
class DtaConversionRun {
public:
    // Entries between two passes of the event loop, so the window keeps painting.
    static constexpr int kEntriesPerEventPass = 256;

    DtaConversionRun(QWidget* owner, DtaFileDialogs& dialogs);
    DtaConversionRun(const DtaConversionRun&) = delete;
    DtaConversionRun& operator=(const DtaConversionRun&) = delete;

    void execute();

private:
    using Kind = zalvo::DtaConversion::Kind;

    void convert(const QString& chosen);
    void readEntries(zalvo::GetDTAInfoFn getInfo, zalvo::PutDTAInfoFn putInfo);
    bool writeXml(zalvo::WriteDTAtoXMLFn write, Kind kind);
    void freeDtaVars();
    // Message boxes get the normal cursor while they are open.
    void report(std::string_view name, int32_t code);
    void refuse(zalvo::DtaConversion::Refusal refusal);
    zalvo::OwnerWindow owner() const;

    QWidget* m_owner;
    DtaFileDialogs& m_dialogs;
    BusyCursor* m_busy = nullptr;
    bool m_errorSeen = false;
    bool m_creditSeen = false;
    bool m_debitSeen = false;
    int32_t m_lastResult = zalvo::kResultOk;
};
