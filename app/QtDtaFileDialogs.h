#pragma once

#include "binding/DtaFileChooser.h"

#include <memory>

class QFileDialog;
class QString;
class QWidget;

// The DTA run's dialogs on QFileDialog: Qt's own widget dialog, so that titles, filters and
// the question before overwriting look the same on every desktop.
class QtDtaFileDialogs : public zalvo::DtaFileChooser {
public:
    std::optional<std::string> chooseDtaFile(zalvo::OwnerWindow owner) override;
    std::optional<std::string> chooseXmlTarget(zalvo::OwnerWindow owner,
                                               std::string_view presetName) override;

    // The dialogs the two calls show, built but not shown.
    static std::unique_ptr<QFileDialog> createOpenDialog(QWidget* owner);
    static std::unique_ptr<QFileDialog> createSaveDialog(QWidget* owner, const QString& presetName);
    // The dialog's own words, German like the rest of the program whatever translations Qt
    // has; also for the call log's save dialog.
    static void setGermanLabels(QFileDialog& dialog, const char* acceptText);
};
