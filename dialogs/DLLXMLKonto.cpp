#include "dialogs/DLLXMLKonto.h"

#include "ui_DLLXMLKonto.h"

TXMLKontoForm::TXMLKontoForm(QWidget* owner)
    : PaymentFileDialog(zalvo::AccountForm::BankCodeAccount, owner),
      m_ui(std::make_unique<Ui::TXMLKontoForm>()) {
    m_ui->setupUi(this);
    attach({m_ui->EAName,    m_ui->EABLZ,       m_ui->EAKonto,  m_ui->EACI,     m_ui->EEName,
            m_ui->EEBLZ,     m_ui->EEKonto,     m_ui->EEBetrag, m_ui->EEZweck1, m_ui->EEZweck2,
            m_ui->EEMandat,  m_ui->EEDatMandat, m_ui->EEInName, m_ui->EMsgId,   m_ui->EPfad,
            m_ui->EFileName, m_ui->RUebw,       m_ui->RLast,    m_ui->SLSTyp,   m_ui->CB2B,
            m_ui->Memo,      m_ui->BCreate,     m_ui->BWrite,   m_ui->BClose,   m_ui->BAbbruch});
}

TXMLKontoForm::~TXMLKontoForm() = default;

int TXMLKontoForm::execute(QWidget* owner) {
    return runModal<TXMLKontoForm>(owner);
}
