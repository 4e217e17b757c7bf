#include "dialogs/DLLInit.h"

#include "ui_DLLInit.h"

#include "binding/LibraryInit.h"
#include "controls/QtOwner.h"

using zalvo::LibraryInit;

TInitForm::TInitForm(QWidget* owner) : KXDialog(owner), m_ui(std::make_unique<Ui::TInitForm>()) {
    m_ui->setupUi(this);
    finishForm(m_ui->BOK, m_ui->BAbbruch);
    connect(m_ui->BOK, &QPushButton::clicked, this, &TInitForm::BOKClick);
    connect(m_ui->BAbbruch, &QPushButton::clicked, this, &TInitForm::BAbbruchClick);
}

TInitForm::~TInitForm() = default;

int TInitForm::execute(QWidget* owner) {
    return runModal<TInitForm>(owner);
}

QString TInitForm::dataPath() const {
    return m_ui->EData->text();
}

QString TInitForm::tempPath() const {
    return m_ui->ETemp->text();
}

QString TInitForm::userPath() const {
    return m_ui->EUser->text();
}

QString TInitForm::logFileName() const {
    return m_ui->ELogFile->text();
}

void TInitForm::SetUp() {
    // Nothing to prepare once; only the mark goes.
    takeFirstActivation();
}

void TInitForm::FormClose() {
    // SetUp creates nothing, so nothing is freed here.
}

void TInitForm::BOKClick() {
    const zalvo::OwnerWindow owner = ownerHandle(this);
    // Loading comes first: a failure leaves every field unread and the stored name as it was.
    if (!LibraryInit::load(owner)) {
        return;
    }
    if (!LibraryInit::startLog(owner, m_ui->ELogFile->textBytes())) {
        return;
    }
    const std::string dataPath = m_ui->EData->textBytes();
    const std::string tempPath = m_ui->ETemp->textBytes();
    const std::string userPath = m_ui->EUser->textBytes();
    // The dialog closes after Init whatever it answered; it stays open only when Init could
    // not be called at all.
    if (LibraryInit::initialise(owner, dataPath, tempPath, userPath)) {
        accept();
    }
}

void TInitForm::BAbbruchClick() {
    reject();
}
