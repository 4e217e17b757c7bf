#pragma once

#include <QDialog>

class QAbstractButton;

// What every entry dialog shares: the first-activation mark and SetUp on each activation,
// FormClose when it closes, Escape pressing the cancel button, a fixed frame with only the
// system menu, the check-mark and cross glyphs, and fields named after their labels.
class KXDialog : public QDialog {
    Q_OBJECT

public:
    // Set by the class-level routine before the dialog is shown; SetUp clears it.
    void markFirstActivation() { m_firstActivation = true; }
    bool firstActivation() const { return m_firstActivation; }

    void done(int result) override;

protected:
    // The dialog belongs to `owner`, which it is modal to and centred on.
    explicit KXDialog(QWidget* owner);

    // The rest of the construction, once the form's widgets exist.
    void finishForm(QAbstractButton* okButton, QAbstractButton* cancelButton);

    // Runs on every activation of the window, and at the first show while the
    // first-activation mark is still set.
    virtual void SetUp() = 0;
    // Runs when the dialog closes, whatever closed it.
    virtual void FormClose() = 0;
    // True at the first activation after the mark was set; clears the mark.
    bool takeFirstActivation();

    // Creates the dialog, marks it, shows it modally, releases it, returns the modal result.
    template <class Form> static int runModal(QWidget* owner) {
        Form form(owner);
        form.markFirstActivation();
        return form.exec();
    }

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAbstractButton* m_cancelButton = nullptr;
    bool m_firstActivation = false;
};
