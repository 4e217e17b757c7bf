#include "dialogs/DLLXML.h"

#include "ui_DLLXML.h"

TXMLForm::TXMLForm(QWidget* owner)
    : PaymentFileDialog(zalvo::AccountForm::BicIban, owner),
      m_ui(std::make_unique<Ui::TXMLForm>()) {
    m_ui->setupUi(this);
    attach({m_ui->EAName,    m_ui->EABIC,       m_ui->EAIBAN,   m_ui->EACI,     m_ui->EEName,
            m_ui->EEBIC,     m_ui->EEIBAN,      m_ui->EEBetrag, m_ui->EEZweck1, m_ui->EEZweck2,
            m_ui->EEMandat,  m_ui->EEDatMandat, m_ui->EEinName, m_ui->EMsgId,   m_ui->EPfad,
            m_ui->EFileName, m_ui->RUebw,       m_ui->RLast,    m_ui->SLSTyp,   m_ui->CB2B,
            m_ui->Memo,      m_ui->BCreate,     m_ui->BWrite,   m_ui->BClose,   m_ui->BAbbruch});
}

TXMLForm::~TXMLForm() = default;

int TXMLForm::execute(QWidget* owner) {
    return runModal<TXMLForm>(owner);
}
