#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class TCallLogForm;
}
namespace zalvo::calllog {
class CallLog;
}
class CallLogModel;

// The window "Aufrufprotokoll": every library call with its result, and for the selected one
// each argument field by field before and after the call and the record in hex. Not modal;
// owned by the main window and kept until it closes.
class TCallLogForm : public QWidget {
    Q_OBJECT

public:
    TCallLogForm(zalvo::calllog::CallLog& log, QWidget* owner);
    ~TCallLogForm() override;

    CallLogModel& model() { return *m_model; }
    // The selected calls as text: the line of each, its fields and its hex view (Ctrl+C).
    QString selectedText() const;
    // Writes the log as JSON Lines; false with a message when the file cannot be written.
    bool saveTo(const QString& fileName);

private:
    void BSaveClick();
    void BClearClick();
    void copySelection() const;
    void showDetails();
    void showDropped(quint64 dropped);

    std::unique_ptr<Ui::TCallLogForm> m_ui;
    zalvo::calllog::CallLog& m_log;
    CallLogModel* m_model;
};
