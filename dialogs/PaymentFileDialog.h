#pragma once

#include "binding/PaymentFile.h"
#include "dialogs/KXDialog.h"

#include <memory>

class PaymentCharClasses;
class QPlainTextEdit;
class TKXButton;
class TKXCheckBox;
class TKXEdit;
class TKXLabel;
class TKXRadio;

// Writes a SEPA XML payment file through the library entry by entry: XMLCreate opens it,
// XMLWrite adds the entry on screen, XMLClose finishes it and shows the totals (the steps
// are zalvo::PaymentFile's; the dialog reads its fields for them). Both payment file dialogs
// are this one; they differ only in how the two accounts are typed (BIC and IBAN, or bank
// code and account number).
class PaymentFileDialog : public KXDialog {
    Q_OBJECT

public:
    ~PaymentFileDialog() override;

protected:
    // The widgets of a form. "Bank" is the BIC or bank-code field, "account" the IBAN or
    // account-number field.
    struct Controls {
        TKXEdit* originatorName;
        TKXEdit* originatorBank;
        TKXEdit* originatorAccount;
        TKXEdit* creditorId;
        TKXEdit* recipientName;
        TKXEdit* recipientBank;
        TKXEdit* recipientAccount;
        TKXEdit* amount;
        TKXEdit* remittance1;
        TKXEdit* remittance2;
        TKXEdit* mandateReference;
        TKXEdit* mandateDate;
        TKXEdit* initiatingParty;
        TKXEdit* messageId;
        TKXEdit* exportPath;
        TKXEdit* fileName;
        TKXRadio* creditTransfer;
        TKXRadio* directDebit;
        TKXLabel* directDebitKindLabel;
        TKXCheckBox* businessDebit;
        QPlainTextEdit* memo;
        TKXButton* createButton;
        TKXButton* writeButton;
        TKXButton* closeButton;
        TKXButton* cancelButton;
    };

    PaymentFileDialog(zalvo::AccountForm form, QWidget* owner);

    // The rest of the construction, once the form's widgets exist.
    void attach(const Controls& controls);

    void SetUp() override;
    void FormClose() override;

    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RUebwClick();
    void BCreateClick();
    void BWriteClick();
    void BCloseClick();
    // Escape closes the dialog, from the window and from the memo alike.
    bool FormKeyDown(int key);
    void BAbbruchClick();

    zalvo::FileHeaderInput fileHeaderInput() const;
    zalvo::PaymentEntryInput paymentEntryInput() const;
    // Fields that share a label text are also named after their group.
    void nameFieldsForAssistiveTools();

    Controls m_controls{};
    zalvo::PaymentFile m_file;
    // The seven character-class tables, from the first activation until the dialog closes.
    std::unique_ptr<PaymentCharClasses> m_charClasses;
};
