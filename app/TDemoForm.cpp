#include "app/TDemoForm.h"

#include "ui_TDemoForm.h"

#include "app/JpegImage.h"
#include "app/QtBusyIndicator.h"
#include "app/QtDtaFileDialogs.h"
#include "app/TCallLogForm.h"
#include "binding/DLLAPI.h"
#include "binding/DtaConversionRun.h"
#include "binding/VersionInfo.h"
#include "calllog/CallLog.h"
#include "controls/KXDefaults.h"
#include "controls/QtOwner.h"
#include "dialogs/DLLConvert.h"
#include "dialogs/DLLGetBIC.h"
#include "dialogs/DLLInit.h"
#include "dialogs/DLLXML.h"
#include "dialogs/DLLXMLKonto.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QStringList>
#include <system_error>

namespace {

const char* const kTagProperty = "tag";
const char* const kPicture = ":/app/zalvotech.jpg";

// The explanatory text, line by line; some lines end in a blank.
const QStringList& memoLines() {
    static const QStringList s_lines = {
        QStringLiteral("Dieses Demo-Programm stellt ein Hilfsmittel zum Testen der "),
        QStringLiteral("Funktionsergebnisse von Zalvotech.dll dar."),
        QString(),
        QStringLiteral("Um mit diesem Testprogramm benötigen Sie Zalvotech.dll "),
        QStringLiteral("im aktuellen Verzeichnis und die dazu erforderlichen "),
        QStringLiteral("Datenbanken."),
        QString(),
        QStringLiteral("Es handelt sich hier um reine Erfassungsmasken, die keine "),
        QStringLiteral("eigene Funktionalität haben. Alle Daten werden den "),
        QStringLiteral("entsprechenden DLL-Funktionen übergeben. Die "),
        QStringLiteral("Rückgabeergebnisse stammen ausschließlich von der DLL."),
        QString(),
        QStringLiteral("Damit kann dargestellt werden, wie die DLL bei ausgewählten "),
        QStringLiteral("Funktionen reagiert."),
        QString(),
        QStringLiteral("Die Bedeutung der Rückgabewerte ist der Dokumentation zu "),
        QStringLiteral("entnehmen."),
    };
    return s_lines;
}

} // namespace

TDemoForm::TDemoForm(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_callLog(std::make_unique<zalvo::calllog::CallLog>()),
      m_ui(std::make_unique<Ui::TDemoForm>()), m_fileDialogs(std::make_unique<QtDtaFileDialogs>()) {
    m_callLog->install();
    // The resources live in a static library, where nothing else would pull them in.
    Q_INIT_RESOURCE(app);
    m_ui->setupUi(this);
    // The face of every window; the memo keeps the larger size of its form.
    QFont memoFont = kxdefaults::font();
    memoFont.setPointSize(m_ui->Memo->font().pointSize());
    setFont(kxdefaults::font());
    m_ui->Memo->setFont(memoFont);
    // The window takes the size of its client area and the menu, and keeps it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    move(kPosition);

    m_ui->Memo->setPlainText(memoLines().join(QLatin1Char('\n')));
    m_ui->Memo->setAccessibleDescription(m_ui->Memo->toPlainText());
    m_ui->Memo->installEventFilter(this);
    showPicture();

    // The separators carry the names the item table gives them.
    const auto systemItems = m_ui->MSystem->actions();
    const auto xmlItems = m_ui->MXML->actions();
    for (QAction* item : systemItems + xmlItems) {
        if (item->isSeparator()) {
            item->setObjectName(m_ui->MSystem->actions().contains(item) ? QStringLiteral("N1")
                                                                        : QStringLiteral("N2"));
        }
    }
    for (QMenu* menu : {m_ui->MSystem, m_ui->MKonvert, m_ui->MXML}) {
        menu->menuAction()->setObjectName(menu->objectName() + QStringLiteral("Item"));
        menu->setAccessibleName(menu->title());
    }

    m_ui->MAnsicht->menuAction()->setObjectName(QStringLiteral("MAnsichtItem"));
    m_ui->MAnsicht->setAccessibleName(m_ui->MAnsicht->title());
    connect(m_ui->MAufrufprotokoll, &QAction::triggered, this, &TDemoForm::showCallLog);

    connect(m_ui->MainMenu, &QMenuBar::triggered, this, &TDemoForm::MenueClick);
    addCommands();
}

TDemoForm::~TDemoForm() {
    // Before the call log it shows goes.
    delete m_callLogForm;
}

void TDemoForm::addCommands() {
    using zalvo::DLLAPI;
    using zalvo::VersionInfo;
    // One line per command; dialogs are added here as they come.
    m_commands[kTagInit] = {false, [this] { TInitForm::execute(this); }};
    m_commands[kTagFree] = {false, [this] { DLLAPI::release(owner()); }};
    m_commands[kTagVersion] = {true, [this] { VersionInfo::showVersion(owner()); }};
    m_commands[kTagInfo] = {true, [this] { VersionInfo::showInformation(owner()); }};
    m_commands[kTagIBAN] = {true, [this] { TConvertForm::execute(this); }};
    m_commands[kTagBIC] = {true, [this] { TGetBICForm::execute(this); }};
    m_commands[kTagXMLWithIBAN] = {true, [this] { TXMLForm::execute(this); }};
    m_commands[kTagXMLWithAccount] = {true, [this] { TXMLKontoForm::execute(this); }};
    m_commands[kTagDTAtoXML] = {true, [this] {
                                    RunDTAtoXML();
                                    restoreWorkingDirectory();
                                }};
}

TCallLogForm* TDemoForm::showCallLog() {
    if (!m_callLogForm) {
        m_callLogForm = new TCallLogForm(*m_callLog, this);
    }
    m_callLogForm->show();
    m_callLogForm->raise();
    m_callLogForm->activateWindow();
    return m_callLogForm;
}

void TDemoForm::showPicture() {
    const QImage picture = JpegImage::fromResource(QString::fromLatin1(kPicture));
    m_ui->Image->setPixmap(QPixmap::fromImage(picture));
}

zalvo::OwnerWindow TDemoForm::owner() {
    return ownerHandle(this);
}

void TDemoForm::MenueClick(QAction* item) {
    if (!item) {
        return;
    }
    bool isTagged = false;
    const int tag = item->property(kTagProperty).toInt(&isTagged);
    if (isTagged) {
        dispatch(tag);
    }
}

void TDemoForm::dispatch(int tag) {
    const auto command = m_commands.find(tag);
    if (command == m_commands.end()) {
        return;
    }
    if (command->second.guarded && !zalvo::DLLAPI::requireLoaded(owner())) {
        return;
    }
    command->second.run();
}

bool TDemoForm::hasCommand(int tag) const {
    return m_commands.count(tag) != 0;
}

void TDemoForm::RunDTAtoXML() {
    saveWorkingDirectory();
    QtBusyIndicator busy;
    zalvo::DtaConversionRun(owner(), *m_fileDialogs, busy).execute();
}

void TDemoForm::setFileDialogs(std::unique_ptr<zalvo::DtaFileChooser> dialogs) {
    m_fileDialogs = dialogs ? std::move(dialogs) : std::make_unique<QtDtaFileDialogs>();
}

void TDemoForm::saveWorkingDirectory() {
    std::error_code error;
    m_savedWorkingDirectory = std::filesystem::current_path(error);
}

void TDemoForm::restoreWorkingDirectory() {
    if (m_savedWorkingDirectory.empty()) {
        return;
    }
    std::error_code ignored;
    std::filesystem::current_path(m_savedWorkingDirectory, ignored);
}

bool TDemoForm::FormKeyDown(int key) {
    if (key != Qt::Key_Escape) {
        return false;
    }
    close();
    return true;
}

void TDemoForm::keyPressEvent(QKeyEvent* event) {
    if (FormKeyDown(event->key())) {
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool TDemoForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_ui->Memo && event->type() == QEvent::KeyPress &&
        FormKeyDown(static_cast<QKeyEvent*>(event)->key())) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TDemoForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TDemoForm::FormClose() {
    zalvo::DLLAPI::releaseAtWindowClose();
}
