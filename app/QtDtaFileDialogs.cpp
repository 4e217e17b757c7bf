#include "app/QtDtaFileDialogs.h"

#include "controls/QtOwner.h"

#include <QFileDialog>

namespace {

// What the filter box shows and the patterns it applies. The shown text carries its own
// list of patterns, so Qt is told the real ones separately and asked to hide them.
struct FileFilter {
    const char* shown;
    const char* patterns;
};

const FileFilter kDtaFilter{"DTA-Datei einlesen (*.txt, *.dat)", "*.txt *.dat"};
const FileFilter kXmlFilter{"XML-Datei ausgeben (*.xml)", "*.xml"};
const char* const kOpenTitle = "DTA-Datei einlesen";
const char* const kSaveTitle = "XML-Datei ausgeben";
const char* const kDtaSuffix = "txt";
const char* const kXmlSuffix = "xml";
const char* const kOpenButton = "Öffnen";
const char* const kSaveButton = "Speichern";

std::unique_ptr<QFileDialog> createDialog(QWidget* owner, const char* title,
                                          const FileFilter& filter, const char* suffix) {
    auto dialog = std::make_unique<QFileDialog>(owner, QString::fromUtf8(title));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilter(QStringLiteral("%1 (%2)").arg(QString::fromUtf8(filter.shown),
                                                        QString::fromUtf8(filter.patterns)));
    dialog->setDefaultSuffix(QString::fromUtf8(suffix));
    return dialog;
}

// The chosen name as UTF-8, whole, whatever characters it has; the run decides what the
// library can be given.
std::optional<std::string> chosenFile(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return std::nullopt;
    }
    return files.front().toStdString();
}

} // namespace

std::unique_ptr<QFileDialog> QtDtaFileDialogs::createOpenDialog(QWidget* owner) {
    auto dialog = createDialog(owner, kOpenTitle, kDtaFilter, kDtaSuffix);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    QtDtaFileDialogs::setGermanLabels(*dialog, kOpenButton);
    return dialog;
}

std::unique_ptr<QFileDialog> QtDtaFileDialogs::createSaveDialog(QWidget* owner,
                                                                const QString& presetName) {
    auto dialog = createDialog(owner, kSaveTitle, kXmlFilter, kXmlSuffix);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    QtDtaFileDialogs::setGermanLabels(*dialog, kSaveButton);
    // Qt asks before overwriting unless told not to; say so, as the run relies on it.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog->selectFile(presetName);
    return dialog;
}

std::optional<std::string> QtDtaFileDialogs::chooseDtaFile(zalvo::OwnerWindow owner) {
    return chosenFile(*createOpenDialog(ownerWidget(owner)));
}

std::optional<std::string> QtDtaFileDialogs::chooseXmlTarget(zalvo::OwnerWindow owner,
                                                             std::string_view presetName) {
    const QString preset = QString::fromUtf8(presetName.data(), std::ssize(presetName));
    return chosenFile(*createSaveDialog(ownerWidget(owner), preset));
}

void QtDtaFileDialogs::setGermanLabels(QFileDialog& dialog, const char* acceptText) {
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Suchen in:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Dateiname:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Dateityp:"));
    dialog.setLabelText(QFileDialog::Accept, QString::fromUtf8(acceptText));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Abbrechen"));
}
