#include "app/TDemoForm.h"

#include "binding/DLLAPI.h"
#include "tests/dialogs/DialogTest.h"

#include <QTimer>

using namespace dialogtest;
using testsupport::FakeLibrary;
using zalvo::DLLAPI;

namespace {

struct OpenedDialog {
    QString className;
    QString caption;
    bool ownedByMainWindow = false;
};

// Runs a command of the main window and reports the modal dialog it opened, closed again with
// Escape; an empty class name when none opened.
OpenedDialog runCommand(TDemoForm& window, int tag) {
    OpenedDialog opened;
    QTimer watcher;
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible()) {
            return;
        }
        watcher.stop();
        opened = {QString::fromLatin1(dialog->metaObject()->className()), dialog->windowTitle(),
                  dialog->parentWidget() == &window};
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        pressKey(dialog, Qt::Key_Escape);
    });
    watcher.start();
    window.dispatch(tag);
    watcher.stop();
    return opened;
}

class DialogHooksTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_window));
    }

    ControlsTestState m_state;
    FakeLibrary m_fake;
    TDemoForm m_window;
};

} // namespace

TEST_F(DialogHooksTest, InitialisationOpensItsDialogWhileNothingIsLoaded) {
    const OpenedDialog opened = runCommand(m_window, TDemoForm::kTagInit);
    EXPECT_EQ(opened.className, "TInitForm");
    EXPECT_EQ(opened.caption, "API initialisieren");
    EXPECT_TRUE(opened.ownedByMainWindow);
    EXPECT_TRUE(testsupport::messageSink().messages().empty());
}

TEST_F(DialogHooksTest, ConversionAndLookupAreGuardedByTheLoadedLibrary) {
    for (const int tag : {TDemoForm::kTagIBAN, TDemoForm::kTagBIC}) {
        testsupport::messageSink().clear();
        EXPECT_EQ(runCommand(m_window, tag).className, "");
        expectMessages({{ownerHandle(&m_window), "", zalvo::kLibraryNotLoaded}});
    }

    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    testsupport::messageSink().clear();
    const OpenedDialog convert = runCommand(m_window, TDemoForm::kTagIBAN);
    EXPECT_EQ(convert.className, "TConvertForm");
    EXPECT_EQ(convert.caption, "BIC und IBAN ermitteln");
    EXPECT_TRUE(convert.ownedByMainWindow);
    const OpenedDialog lookup = runCommand(m_window, TDemoForm::kTagBIC);
    EXPECT_EQ(lookup.className, "TGetBICForm");
    EXPECT_EQ(lookup.caption, "BIC aus BLZ ermitteln");
    EXPECT_TRUE(lookup.ownedByMainWindow);
    EXPECT_TRUE(testsupport::messageSink().messages().empty());
    EXPECT_TRUE(m_fake.calls().empty());
}
