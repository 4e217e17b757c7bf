#pragma once

#include "app/DtaFileDialogs.h"

#include <memory>

class QFileDialog;

// The DTA run's dialogs on QFileDialog: Qt's own widget dialog, so that titles, filters and
// the question before overwriting look the same on every desktop.
class QtDtaFileDialogs : public DtaFileDialogs {
public:
    std::optional<QString> openDtaFile(QWidget* owner) override;
    std::optional<QString> saveXmlFile(QWidget* owner, const QString& presetName) override;

    // The dialogs the two calls show, built but not shown.
    static std::unique_ptr<QFileDialog> createOpenDialog(QWidget* owner);
    static std::unique_ptr<QFileDialog> createSaveDialog(QWidget* owner, const QString& presetName);
};
