#pragma once

#include "binding/OwnerWindow.h"

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>

namespace Ui {
class TDemoForm;
}
namespace zalvo {
class DtaFileChooser;
namespace calllog {
class CallLog;
}
} // namespace zalvo
class TCallLogForm;
class QAction;

// The main window: explanatory text, the picture, and the menu whose tagged items start
// every command.
class TDemoForm : public QMainWindow {
    Q_OBJECT

public:
    // Menu tags, stored on the items as the "tag" property.
    static constexpr int kTagInit = 111;
    static constexpr int kTagFree = 112;
    static constexpr int kTagVersion = 115;
    static constexpr int kTagInfo = 116;
    static constexpr int kTagIBAN = 211;
    static constexpr int kTagBIC = 212;
    static constexpr int kTagXMLWithIBAN = 311;
    static constexpr int kTagXMLWithAccount = 312;
    static constexpr int kTagDTAtoXML = 315;

    static constexpr QSize kClientSize{549, 240};
    static constexpr QPoint kPosition{409, 321};

    explicit TDemoForm(QWidget* parent = nullptr);
    ~TDemoForm() override;

    // The one handler of every menu item: runs the command of the item's tag.
    void MenueClick(QAction* item);
    void dispatch(int tag);
    // Whether a command is present for the tag; tags without one do nothing.
    bool hasCommand(int tag) const;

    const std::filesystem::path& savedWorkingDirectory() const { return m_savedWorkingDirectory; }
    // The open-file and save-file dialogs of the DTA-to-XML run; the Qt ones by default.
    void setFileDialogs(std::unique_ptr<zalvo::DtaFileChooser> dialogs);
    // Every library call since the window opened; recording starts with the window.
    zalvo::calllog::CallLog& callLog() { return *m_callLog; }
    // "Ansicht > Aufrufprotokoll": shows the call log window, made on first use. Untagged and
    // unguarded, so it works before initialisation.
    TCallLogForm* showCallLog();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    struct Command {
        bool guarded; // asks the is-loaded guard first
        std::function<void()> run;
    };

    void addCommands();
    void showPicture();
    // Escape closes the window, whether the window or the memo has the focus.
    bool FormKeyDown(int key);
    void FormClose();
    // The DTA-to-XML run. Starts by saving the working directory, which the dispatch makes
    // current again afterwards because the file dialogs may change it.
    void RunDTAtoXML();
    void saveWorkingDirectory();
    void restoreWorkingDirectory();
    zalvo::OwnerWindow owner();

    // Declared first, so it is uninstalled from the call step after everything else is gone.
    std::unique_ptr<zalvo::calllog::CallLog> m_callLog;
    std::unique_ptr<Ui::TDemoForm> m_ui;
    std::map<int, Command> m_commands;
    std::filesystem::path m_savedWorkingDirectory;
    std::unique_ptr<zalvo::DtaFileChooser> m_fileDialogs;
    TCallLogForm* m_callLogForm = nullptr; // a child window, deleted with this one
};
