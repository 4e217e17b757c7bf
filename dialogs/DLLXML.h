#pragma once

#include "dialogs/PaymentFileDialog.h"

#include <memory>

namespace Ui {
class TXMLForm;
}

// "XML-Datei erzeugen" with the accounts given as BIC and IBAN.
class TXMLForm : public PaymentFileDialog {
    Q_OBJECT

public:
    explicit TXMLForm(QWidget* owner = nullptr);
    ~TXMLForm() override;

    // Shows the dialog modally over `owner` and returns its modal result.
    static int execute(QWidget* owner);

private:
    std::unique_ptr<Ui::TXMLForm> m_ui;
};
