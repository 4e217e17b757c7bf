#include "app/TDemoForm.h"

#include "binding/DLLAPI.h"
#include "log/LogWriter.h"
#include "tests/app/MenuClick.h"
#include "tests/support/FakeLibrary.h"
#include "tests/support/GuiTest.h"
#include "tests/support/ScriptedFileChooser.h"
#include "tests/support/TempDirectory.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using testsupport::FakeLibrary;
using testsupport::FakeVariant;
using testsupport::messageSink;
using zalvo::DLLAPI;
using zalvo::EntryPoint;

namespace {

const std::string kNotLoaded = "Die API (Zalvotech.dll) wurde noch nicht geladen!\r\n\r\n"
                               "Bitte rufen Sie zuerst die Funktion Zalvotech_init auf.   ";

struct MenuItem {
    const char* menu;
    const char* item;
    const char* caption;
    int tag;
};

// The menu, item by item, as the user sees it.
const MenuItem kItems[] = {
    {"MSystem", "MInit", "Initialisierung - Zalvotech_Init", 111},
    {"MSystem", "MFree", "Freigeben - Zalvotech_Free", 112},
    {"MSystem", "MVersion", "Version - Zalvotech_Version", 115},
    {"MSystem", "MInfo", "Informationen - Zalvotech_Info", 116},
    {"MKonvert", "MIBAN", "IBAN ermitteln - Zalvotech_ConvertBLZKonto", 211},
    {"MKonvert", "MBIC", "BIC ermittlen - Zalvotech_GetBIC", 212},
    {"MXML", "MXML1", "XML-Datei erzeugen (mit BIC und IBAN)", 311},
    {"MXML", "MXML2", "XML-Datei erzeugen (mit BLZ und Kontonummer)", 312},
    {"MXML", "MDTA", "DTA nach XML umsetzen", 315},
};

class TDemoFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_form = std::make_unique<TDemoForm>();
        m_form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
    }

    template <typename T> T* find(const char* name) {
        T* widget = m_form->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Opens the menu with the mouse and clicks the item, as a user does.
    void clickItem(const char* menuName, const char* itemName) {
        auto* bar = find<QMenuBar>("MainMenu");
        auto* menu = find<QMenu>(menuName);
        auto* item = find<QAction>(itemName);
        testsupport::clickMenuItem(bar, menu, item);
    }

    const MenuItem& itemWithTag(int tag) {
        for (const MenuItem& item : kItems) {
            if (item.tag == tag) {
                return item;
            }
        }
        throw std::logic_error("no such tag");
    }

    zalvo::OwnerWindow owner() { return static_cast<void*>(m_form.get()); }

    std::unique_ptr<TDemoForm> m_form;
};

} // namespace

TEST_F(TDemoFormTest, WindowCaptionSizePositionAndFrame) {
    EXPECT_EQ(m_form->windowTitle(), QString::fromUtf8("Testprogramm für Zalvotech.dll"));
    EXPECT_EQ(m_form->accessibleName(), m_form->windowTitle());
    EXPECT_EQ(m_form->centralWidget()->size(), QSize(549, 240));
    EXPECT_EQ(m_form->pos(), QPoint(409, 321));
    // Fixed size: the window cannot be resized.
    EXPECT_EQ(m_form->minimumSize(), m_form->maximumSize());
    const auto flags = m_form->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowSystemMenuHint);
    EXPECT_EQ(m_form->font().families().value(0), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(m_form->font().pointSize(), 8);
}

TEST_F(TDemoFormTest, MemoHoldsTheSeventeenLinesReadOnly) {
    auto* memo = find<QPlainTextEdit>("Memo");
    ASSERT_NE(memo, nullptr);
    const QStringList expected = {
        QString::fromUtf8("Dieses Demo-Programm stellt ein Hilfsmittel zum Testen der "),
        QString::fromUtf8("Funktionsergebnisse von Zalvotech.dll dar."),
        QString(),
        QString::fromUtf8("Um mit diesem Testprogramm benötigen Sie Zalvotech.dll "),
        QString::fromUtf8("im aktuellen Verzeichnis und die dazu erforderlichen "),
        QString::fromUtf8("Datenbanken."),
        QString(),
        QString::fromUtf8("Es handelt sich hier um reine Erfassungsmasken, die keine "),
        QString::fromUtf8("eigene Funktionalität haben. Alle Daten werden den "),
        QString::fromUtf8("entsprechenden DLL-Funktionen übergeben. Die "),
        QString::fromUtf8("Rückgabeergebnisse stammen ausschließlich von der DLL."),
        QString(),
        QString::fromUtf8("Damit kann dargestellt werden, wie die DLL bei ausgewählten "),
        QString::fromUtf8("Funktionen reagiert."),
        QString(),
        QString::fromUtf8("Die Bedeutung der Rückgabewerte ist der Dokumentation zu "),
        QString::fromUtf8("entnehmen."),
    };
    EXPECT_EQ(memo->toPlainText().split(QLatin1Char('\n')), expected);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_FALSE(memo->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->size(), QSize(389, 240));
    EXPECT_EQ(memo->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(memo->font().pointSize(), 10);

    // Typing does not change it.
    memo->setFocus();
    QTest::keyClicks(memo, "xyz");
    EXPECT_EQ(memo->toPlainText().split(QLatin1Char('\n')), expected);
}

TEST_F(TDemoFormTest, PictureFillsTheRightEdge) {
    auto* image = find<QLabel>("Image");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->geometry(), QRect(389, 0, 160, 240));
    EXPECT_TRUE(image->hasScaledContents());
    const QPixmap picture = image->pixmap();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(320, 480));
}

TEST_F(TDemoFormTest, MenusCarryCaptionsNamesAndTags) {
    auto* bar = find<QMenuBar>("MainMenu");
    ASSERT_NE(bar, nullptr);
    QStringList titles;
    for (QAction* action : bar->actions()) {
        titles << action->text();
    }
    EXPECT_EQ(titles,
              (QStringList{QStringLiteral("System"), QString::fromUtf8("Konvertieren und Prüfen"),
                           QStringLiteral("XML-Datei"), QStringLiteral("Ansicht")}));
    for (const MenuItem& expected : kItems) {
        auto* menu = find<QMenu>(expected.menu);
        auto* item = find<QAction>(expected.item);
        ASSERT_TRUE(menu && item);
        EXPECT_TRUE(menu->actions().contains(item)) << expected.item;
        EXPECT_EQ(item->text(), QString::fromUtf8(expected.caption));
        EXPECT_EQ(item->property("tag").toInt(), expected.tag);
    }
    // Item order with the separators N1 and N2.
    auto names = [](QMenu* menu) {
        QStringList list;
        for (QAction* action : menu->actions()) {
            list << action->objectName();
        }
        return list;
    };
    EXPECT_EQ(names(find<QMenu>("MSystem")),
              (QStringList{"MInit", "MFree", "N1", "MVersion", "MInfo"}));
    EXPECT_EQ(names(find<QMenu>("MKonvert")), (QStringList{"MIBAN", "MBIC"}));
    EXPECT_EQ(names(find<QMenu>("MXML")), (QStringList{"MXML1", "MXML2", "N2", "MDTA"}));
}

TEST_F(TDemoFormTest, ReleaseBeforeInitialisationDoesNothingVisible) {
    FakeLibrary fake;
    clickItem("MSystem", "MFree");
    EXPECT_TRUE(messageSink().messages().empty());
    EXPECT_TRUE(fake.calls().empty());
}

TEST_F(TDemoFormTest, EveryGuardedCommandBeforeInitialisationShowsOnlyTheNotLoadedMessage) {
    FakeLibrary fake;
    for (int tag : {115, 116, 211, 212, 311, 312, 315}) {
        const MenuItem& item = itemWithTag(tag);
        messageSink().clear();
        clickItem(item.menu, item.item);
        if (!m_form->hasCommand(tag)) {
            // A command not present does nothing at all.
            EXPECT_TRUE(messageSink().messages().empty()) << tag;
            continue;
        }
        ASSERT_EQ(messageSink().messages().size(), 1u) << tag;
        EXPECT_EQ(messageSink().messages()[0].text, kNotLoaded) << tag;
        EXPECT_EQ(messageSink().messages()[0].owner, owner()) << tag;
    }
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_FALSE(DLLAPI::loaded());
}

TEST_F(TDemoFormTest, VersionThroughTheMenu) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    fake.scriptText(EntryPoint::Version, 0, zalvo::version::kDate, "31122025");
    fake.scriptText(EntryPoint::Version, 0, zalvo::version::kText, "1.0.7");
    clickItem("MSystem", "MVersion");
    ASSERT_EQ(messageSink().messages().size(), 1u);
    EXPECT_EQ(messageSink().messages()[0].text, "Version 1.0.7 vom 31.12.2025.   ");
    EXPECT_EQ(messageSink().messages()[0].caption, "Erfolg!");
    EXPECT_EQ(messageSink().messages()[0].owner, owner());
}

TEST_F(TDemoFormTest, InformationThroughTheMenu) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    fake.scriptText(EntryPoint::Info, 0, zalvo::info::kParticipantsDate, "01022018");
    clickItem("MSystem", "MInfo");
    ASSERT_EQ(messageSink().messages().size(), 1u);
    EXPECT_EQ(messageSink().messages()[0].text,
              "Aktualit\xE4t der SEPA-Teilnehmer: 01.02.2018.\r\n\r\n"
              "G\xFC"
              "ltigkeit des BLZ-Bestandes: 00.00.0000 bis 00.00.0000   ");
    EXPECT_EQ(messageSink().messages()[0].owner, owner());
}

TEST_F(TDemoFormTest, ReleaseThroughTheMenuWhenLoaded) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    DLLAPI::setLogFileName("lib.log");
    clickItem("MSystem", "MFree");
    EXPECT_EQ(fake.callNames(),
              (std::vector<std::string>{"Zalvotech_SetLogFile", "Zalvotech_Free"}));
    ASSERT_EQ(messageSink().messages().size(), 1u);
    EXPECT_EQ(messageSink().messages()[0].text, "Alles verlief erfolgreich!     ");
    EXPECT_EQ(messageSink().messages()[0].owner, owner());
    EXPECT_FALSE(DLLAPI::loaded());
}

TEST_F(TDemoFormTest, UnknownTagsDoNothing) {
    FakeLibrary fake;
    for (int tag : {0, 110, 113, 999}) {
        m_form->dispatch(tag);
    }
    EXPECT_TRUE(messageSink().messages().empty());
    EXPECT_TRUE(fake.calls().empty());
}

TEST_F(TDemoFormTest, DTARunLeavesTheWorkingDirectoryAsItWas) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    // The open dialog is cancelled; a real one would wait for a user.
    m_form->setFileDialogs(std::make_unique<testsupport::ScriptedFileChooser>());
    const auto before = std::filesystem::current_path();
    clickItem("MXML", "MDTA");
    EXPECT_EQ(std::filesystem::current_path(), before);
    EXPECT_EQ(m_form->savedWorkingDirectory(), before);
}

TEST_F(TDemoFormTest, EscapeInTheMemoCloses) {
    auto* memo = find<QPlainTextEdit>("Memo");
    ASSERT_NE(memo, nullptr);
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    ASSERT_TRUE(memo->hasFocus());
    QTest::keyClick(memo, Qt::Key_A);
    EXPECT_TRUE(m_form->isVisible());
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_FALSE(m_form->isVisible());
}

TEST_F(TDemoFormTest, EscapeInTheWindowCloses) {
    QTest::keyClick(m_form.get(), Qt::Key_Return);
    EXPECT_TRUE(m_form->isVisible());
    QTest::keyClick(m_form.get(), Qt::Key_Escape);
    EXPECT_FALSE(m_form->isVisible());
}

TEST_F(TDemoFormTest, CloseWhileLoadedFreesExactlyOnce) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    // An empty log-file name: the log writer refuses it, which does not matter here.
    DLLAPI::setLogFileName("");
    EXPECT_TRUE(m_form->close());
    EXPECT_EQ(fake.callNames(), (std::vector<std::string>{"Zalvotech_Free"}));
    EXPECT_FALSE(DLLAPI::loaded());
    EXPECT_TRUE(messageSink().messages().empty());

    // A second close finds nothing loaded.
    m_form->show();
    EXPECT_TRUE(m_form->close());
    EXPECT_EQ(fake.callNames().size(), 1u);
}

TEST_F(TDemoFormTest, CloseWithALogNameWritesNoLogAndLeavesNoProbeFile) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    testsupport::TempDirectory logFolder;
    DLLAPI::setLogFileName((logFolder.path() / "front.log").string());
    EXPECT_TRUE(m_form->close());
    EXPECT_EQ(fake.callNames(), (std::vector<std::string>{"Zalvotech_Free"}));
    EXPECT_TRUE(std::filesystem::is_empty(logFolder.path()));
}

TEST_F(TDemoFormTest, CloseStopsThroughTheProgramsOwnLogWriterWithTheStoredName) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    testsupport::TempDirectory logFolder;
    const std::string name = (logFolder.path() / "eigen.log").string();
    LogWriter& writer = LogWriter::process();
    ASSERT_NE(writer.logFileName(), name);
    DLLAPI::setLogFileName(name);
    EXPECT_TRUE(m_form->close());
    // The writer took (name, 3, 7, 0): its checks passed for that name, STOP, mask 7, mode 0.
    EXPECT_EQ(writer.logFileName(), name);
    EXPECT_EQ(writer.lastAction(), 3);
    EXPECT_EQ(writer.contentMask(), 7);
    EXPECT_EQ(writer.flushMode(), 0);
    EXPECT_FALSE(writer.isOpen());
    // The library's SetLogFile is not the one called.
    EXPECT_EQ(fake.callNames(), (std::vector<std::string>{"Zalvotech_Free"}));
}

TEST_F(TDemoFormTest, CloseAfterReleaseCallsNothing) {
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    DLLAPI::release(owner());
    fake.reset();
    messageSink().clear();
    EXPECT_TRUE(m_form->close());
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_TRUE(messageSink().messages().empty());
}

TEST_F(TDemoFormTest, CloseBeforeInitialisationCallsNothing) {
    FakeLibrary fake;
    EXPECT_TRUE(m_form->close());
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_TRUE(messageSink().messages().empty());
}

TEST_F(TDemoFormTest, CloseWithAnUnboundFreeShowsNothingAndCallsNothing) {
    FakeLibrary fake(FakeVariant::NoFree);
    ASSERT_EQ(DLLAPI::loadAndBind(), -99998);
    EXPECT_TRUE(m_form->close());
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_TRUE(messageSink().messages().empty());
    EXPECT_FALSE(DLLAPI::loaded());
}
