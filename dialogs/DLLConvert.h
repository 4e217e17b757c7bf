#pragma once

#include "binding/AccountConversion.h"
#include "dialogs/KXDialog.h"

#include <memory>

namespace Ui {
class TConvertForm;
}

// "BIC und IBAN ermitteln": derives BIC and IBAN from bank code and account number, as often
// as the user likes, and shows what the library wrote back.
class TConvertForm : public KXDialog {
    Q_OBJECT

public:
    explicit TConvertForm(QWidget* owner = nullptr);
    ~TConvertForm() override;

    // Shows the dialog modally over `owner` and returns its modal result.
    static int execute(QWidget* owner);

    QString bankCode() const;
    QString accountNumber() const;
    // The outcome of the latest conversion.
    QString bic() const;
    QString iban() const;
    // The account record as the latest conversion left it.
    const zalvo::Record& accountRecord() const { return m_conversion.record(); }

protected:
    void SetUp() override;
    void FormClose() override;

private:
    void BOKClick();
    void BAbbruchClick();

    std::unique_ptr<Ui::TConvertForm> m_ui;
    zalvo::AccountConversion m_conversion;
};
