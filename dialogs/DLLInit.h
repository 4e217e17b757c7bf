#pragma once

#include "dialogs/KXDialog.h"

#include <memory>

namespace Ui {
class TInitForm;
}

// "API initialisieren": loads the payment library, starts its log when a log-file name is
// given, and initialises it with the data, temporary and user paths.
class TInitForm : public KXDialog {
    Q_OBJECT

public:
    explicit TInitForm(QWidget* owner = nullptr);
    ~TInitForm() override;

    // Shows the dialog modally over `owner` and returns its modal result.
    static int execute(QWidget* owner);

    // The texts the fields hold.
    QString dataPath() const;
    QString tempPath() const;
    QString userPath() const;
    QString logFileName() const;

protected:
    void SetUp() override;
    void FormClose() override;

private:
    void BOKClick();
    void BAbbruchClick();

    std::unique_ptr<Ui::TInitForm> m_ui;
};
