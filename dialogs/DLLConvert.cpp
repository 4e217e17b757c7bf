#include "dialogs/DLLConvert.h"

#include "ui_DLLConvert.h"

#include "controls/QtOwner.h"

TConvertForm::TConvertForm(QWidget* owner)
    : KXDialog(owner), m_ui(std::make_unique<Ui::TConvertForm>()) {
    m_ui->setupUi(this);
    finishForm(m_ui->BOK, m_ui->BAbbruch);
    connect(m_ui->BOK, &QPushButton::clicked, this, &TConvertForm::BOKClick);
    connect(m_ui->BAbbruch, &QPushButton::clicked, this, &TConvertForm::BAbbruchClick);
}

TConvertForm::~TConvertForm() = default;

int TConvertForm::execute(QWidget* owner) {
    return runModal<TConvertForm>(owner);
}

QString TConvertForm::bankCode() const {
    return m_ui->EBLZ->text();
}

QString TConvertForm::accountNumber() const {
    return m_ui->EKonto->text();
}

QString TConvertForm::bic() const {
    return m_ui->EBIC->text();
}

QString TConvertForm::iban() const {
    return m_ui->EIBAN->text();
}

void TConvertForm::SetUp() {
    // Nothing to prepare once; only the mark goes.
    takeFirstActivation();
}

void TConvertForm::FormClose() {
    // SetUp creates nothing, so nothing is freed here.
}

void TConvertForm::BOKClick() {
    const std::string bankCode = m_ui->EBLZ->textBytes();
    const std::string accountNumber = m_ui->EKonto->textBytes();
    const auto outcome = m_conversion.convert(ownerHandle(this), bankCode, accountNumber);
    m_ui->EBIC->setTextBytes(outcome.bic);
    m_ui->EIBAN->setTextBytes(outcome.iban);
}

void TConvertForm::BAbbruchClick() {
    reject();
}
