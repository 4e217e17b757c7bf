#pragma once

#include <QString>
#include <optional>

class QWidget;

// The open-file and save-file dialogs of the DTA-to-XML run. The program uses the Qt ones;
// tests script what the user chooses or cancels.
class DtaFileDialogs {
public:
    virtual ~DtaFileDialogs() = default;

    // The DTA file the user chose, or nothing when the dialog was cancelled.
    virtual std::optional<QString> openDtaFile(QWidget* owner) = 0;

    // The XML file to write, offered as `presetName`; nothing when cancelled. Confirming an
    // existing file has already been asked about.
    virtual std::optional<QString> saveXmlFile(QWidget* owner, const QString& presetName) = 0;
};
