#include "app/TCallLogForm.h"

#include "ui_TCallLogForm.h"

#include "app/CallLogModel.h"
#include "app/QtDtaFileDialogs.h"
#include "calllog/CallDescription.h"
#include "calllog/CallLog.h"
#include "calllog/CallLogWriter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMessageBox>

using zalvo::calllog::CallDescription;
using zalvo::calllog::FieldRow;

namespace {

enum FieldColumn { Argument, Field, Before, After, FieldColumnCount };

// Pixels a table row adds to the text's height.
constexpr int kRowPadding = 6;

const char* const kSaveTitle = "Aufrufprotokoll speichern";
const char* const kSaveFilter = "Aufrufprotokoll (*.jsonl)";
const char* const kSaveSuffix = "jsonl";
const char* const kSaveButton = "Speichern";

QString qt(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

} // namespace

TCallLogForm::TCallLogForm(zalvo::calllog::CallLog& log, QWidget* owner)
    : QWidget(owner, Qt::Window), m_ui(std::make_unique<Ui::TCallLogForm>()), m_log(log),
      m_model(new CallLogModel(log, this)) {
    m_ui->setupUi(this);
    m_ui->Calls->setModel(m_model);
    m_ui->Calls->verticalHeader()->hide();
    m_ui->Calls->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_ui->Calls->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
    m_ui->Calls->horizontalHeader()->setStretchLastSection(false);
    m_ui->Calls->horizontalHeader()->setSectionResizeMode(CallLogModel::Meaning,
                                                          QHeaderView::Stretch);
    m_ui->Calls->setColumnWidth(CallLogModel::Time, 100);
    m_ui->Calls->setColumnWidth(CallLogModel::EntryPoint, 210);
    m_ui->Calls->setColumnWidth(CallLogModel::Result, 70);
    m_ui->Calls->setColumnWidth(CallLogModel::Duration, 80);

    m_ui->Fields->setColumnCount(FieldColumnCount);
    m_ui->Fields->setHorizontalHeaderLabels({QStringLiteral("Argument"), QStringLiteral("Feld"),
                                             QStringLiteral("Vorher"), QStringLiteral("Nachher")});
    m_ui->Fields->verticalHeader()->hide();
    m_ui->Fields->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + kRowPadding);
    m_ui->Fields->horizontalHeader()->setStretchLastSection(true);
    m_ui->Fields->setColumnWidth(Argument, 150);
    m_ui->Fields->setColumnWidth(Field, 220);
    m_ui->Fields->setColumnWidth(Before, 230);
    m_ui->Hex->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_ui->Splitter->setSizes({220, 170, 230});

    auto* copy = new QAction(QStringLiteral("Kopieren"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(copy);
    connect(copy, &QAction::triggered, this, &TCallLogForm::copySelection);
    connect(m_ui->BSave, &QPushButton::clicked, this, &TCallLogForm::BSaveClick);
    connect(m_ui->BClear, &QPushButton::clicked, this, &TCallLogForm::BClearClick);
    connect(m_ui->Calls->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TCallLogForm::showDetails);
    connect(m_model, &CallLogModel::droppedChanged, this, &TCallLogForm::showDropped);
    connect(m_model, &CallLogModel::modelReset, this, &TCallLogForm::showDetails);
    showDropped(log.dropped());
}

TCallLogForm::~TCallLogForm() = default;

void TCallLogForm::showDetails() {
    const QModelIndex current = m_ui->Calls->currentIndex();
    m_ui->Fields->setRowCount(0);
    m_ui->Hex->clear();
    if (!current.isValid() || current.row() >= m_model->rowCount()) {
        return;
    }
    const auto& call = m_model->call(current.row());
    const std::vector<FieldRow> rows = CallDescription::fields(call);
    m_ui->Fields->setRowCount(static_cast<int>(rows.size()));
    QFont changedFont = m_ui->Fields->font();
    changedFont.setBold(true);
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const FieldRow& field = rows[static_cast<std::size_t>(row)];
        const QString marked =
            field.changed ? qt(field.field) + QStringLiteral(" (geändert)") : qt(field.field);
        const QStringList cells{qt(field.argument), marked, qt(field.before), qt(field.after)};
        for (int column = 0; column < FieldColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (field.changed) {
                item->setFont(changedFont);
                item->setBackground(QColor(255, 243, 205));
            }
            m_ui->Fields->setItem(row, column, item);
        }
    }
    m_ui->Hex->setPlainText(qt(CallDescription::hexViews(call)));
}

QString TCallLogForm::selectedText() const {
    QModelIndexList rows = m_ui->Calls->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end());
    QString text;
    for (const QModelIndex& row : rows) {
        text += qt(CallDescription::text(m_model->call(row.row()))) + QLatin1Char('\n');
    }
    return text;
}

void TCallLogForm::copySelection() const {
    const QString text = selectedText();
    if (!text.isEmpty()) {
        QApplication::clipboard()->setText(text);
    }
}

void TCallLogForm::BClearClick() {
    m_model->clear();
}

void TCallLogForm::BSaveClick() {
    QFileDialog dialog(this, QString::fromUtf8(kSaveTitle));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QString::fromUtf8(kSaveFilter));
    dialog.setDefaultSuffix(QString::fromUtf8(kSaveSuffix));
    QtDtaFileDialogs::setGermanLabels(dialog, kSaveButton);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    saveTo(dialog.selectedFiles().front());
}

bool TCallLogForm::saveTo(const QString& fileName) {
    m_model->refresh();
    if (zalvo::calllog::CallLogWriter::save(QFileInfo(fileName).filesystemFilePath(), m_log)) {
        return true;
    }
    QMessageBox::critical(this, QString::fromUtf8(kSaveTitle),
                          QStringLiteral("Die Datei %1 konnte nicht geschrieben werden.")
                              .arg(QDir::toNativeSeparators(fileName)));
    return false;
}

void TCallLogForm::showDropped(quint64 dropped) {
    m_ui->SDropped->setText(
        dropped == 0 ? QString()
                     : QString::fromUtf8("%1 ältere Aufrufe verworfen (es bleiben die neuesten %2)")
                           .arg(dropped)
                           .arg(m_log.capacity()));
}
