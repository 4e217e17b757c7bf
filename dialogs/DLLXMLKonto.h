#pragma once

#include "dialogs/PaymentFileDialog.h"

#include <memory>

namespace Ui {
class TXMLKontoForm;
}

// "XML-Datei erzeugen" with the accounts given as bank code and account number; the BIC and
// IBAN fields of the payment entry stay empty.
class TXMLKontoForm : public PaymentFileDialog {
    Q_OBJECT

public:
    explicit TXMLKontoForm(QWidget* owner = nullptr);
    ~TXMLKontoForm() override;

    // Shows the dialog modally over `owner` and returns its modal result.
    static int execute(QWidget* owner);

private:
    std::unique_ptr<Ui::TXMLKontoForm> m_ui;
};
