#include "dialogs/DLLGetBIC.h"

#include "ui_DLLGetBIC.h"

#include "binding/BicLookup.h"
#include "controls/QtOwner.h"

TGetBICForm::TGetBICForm(QWidget* owner)
    : KXDialog(owner), m_ui(std::make_unique<Ui::TGetBICForm>()) {
    m_ui->setupUi(this);
    finishForm(m_ui->BOK, m_ui->BAbbruch);
    connect(m_ui->BOK, &QPushButton::clicked, this, &TGetBICForm::BOKClick);
    connect(m_ui->BAbbruch, &QPushButton::clicked, this, &TGetBICForm::BAbbruchClick);
}

TGetBICForm::~TGetBICForm() = default;

int TGetBICForm::execute(QWidget* owner) {
    return runModal<TGetBICForm>(owner);
}

QString TGetBICForm::bankCode() const {
    return m_ui->EBLZ->text();
}

QString TGetBICForm::bic() const {
    return m_ui->EBIC->text();
}

void TGetBICForm::SetUp() {
    // Nothing to prepare once; only the mark goes.
    takeFirstActivation();
}

void TGetBICForm::FormClose() {
    // SetUp creates nothing, so nothing is freed here.
}

void TGetBICForm::BOKClick() {
    // The field has already removed surrounding blanks; its length bounds the text.
    const auto outcome = zalvo::BicLookup::lookup(ownerHandle(this), m_ui->EBLZ->textBytes());
    // Only a result of exactly 0 replaces the BIC on display.
    if (outcome.bic) {
        m_ui->EBIC->setTextBytes(*outcome.bic);
    }
}

void TGetBICForm::BAbbruchClick() {
    reject();
}
