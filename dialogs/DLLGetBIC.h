#pragma once

#include "dialogs/KXDialog.h"

#include <memory>

namespace Ui {
class TGetBICForm;
}

// "BIC aus BLZ ermitteln": looks up the BIC of a bank code, as often as the user likes; the
// BIC of the latest successful lookup stays on display.
class TGetBICForm : public KXDialog {
    Q_OBJECT

public:
    explicit TGetBICForm(QWidget* owner = nullptr);
    ~TGetBICForm() override;

    // Shows the dialog modally over `owner` and returns its modal result.
    static int execute(QWidget* owner);

    QString bankCode() const;
    QString bic() const;

protected:
    void SetUp() override;
    void FormClose() override;

private:
    void BOKClick();
    void BAbbruchClick();

    std::unique_ptr<Ui::TGetBICForm> m_ui;
};
