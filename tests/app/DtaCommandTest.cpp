// The DTA-to-XML command of the main window: the run of the core started from the menu, with
// the Qt busy sign. The run's own logic is tested in tests/binding/DtaConversionRunTest.cpp.
#include "app/TDemoForm.h"

#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "binding/ResultReporter.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/app/MenuClick.h"
#include "tests/app/ScriptedMainWindow.h"
#include "tests/support/FakeLibrary.h"
#include "tests/support/GuiTest.h"
#include "tests/support/TempDirectory.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>

using testsupport::FakeLibrary;
using testsupport::messageSink;
using testsupport::ScriptedFileChooser;
using zalvo::DLLAPI;
using zalvo::EntryPoint;

namespace {

const std::string kSuccess = "Alles verlief erfolgreich!     ";

class DtaCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(DLLAPI::loadAndBind(), 0);
        m_form = testsupport::showMainWindow(m_dialogs);
    }

    // "XML-Datei" > "DTA nach XML umsetzen" with the mouse, as a user starts the run.
    void runFromMenu() { testsupport::clickMenuItem(m_form.get(), "MXML", "MDTA"); }

    // `count` credit transfers, then the end of the entries.
    void entries(int count) {
        std::string kind(sizeof(int32_t), '\0');
        for (int i = 0; i < count; ++i) {
            m_fake.script(EntryPoint::GetDTAInfo, zalvo::kResultOk);
            m_fake.scriptWrite(EntryPoint::GetDTAInfo, 0, zalvo::dtainfo::kPaymentKind.offset,
                               kind);
        }
        m_fake.script(EntryPoint::GetDTAInfo, zalvo::kNoEntryLeft);
    }

    FakeLibrary m_fake;
    platform::FixedClock m_clock{{2024, 2, 27, 9, 30, 0}};
    platform::ScopedClock m_pinnedClock{m_clock};
    std::unique_ptr<TDemoForm> m_form;
    ScriptedFileChooser* m_dialogs = nullptr;
};

} // namespace

TEST_F(DtaCommandTest, CancellingTheOpenDialogCallsOnlyFreeDTAVars) {
    runFromMenu();
    ASSERT_EQ(m_dialogs->shown().size(), 1u);
    EXPECT_EQ(m_dialogs->shown()[0].kind, ScriptedFileChooser::Kind::Open);
    EXPECT_EQ(m_dialogs->shown()[0].owner, static_cast<void*>(m_form.get()));
    EXPECT_EQ(m_fake.callNames(), (std::vector<std::string>{"Zalvotech_FreeDTAVars"}));
    EXPECT_TRUE(messageSink().messages().empty());
}

TEST_F(DtaCommandTest, TheWorkingDirectoryIsRestoredEvenWhenADialogChangedIt) {
    const auto before = std::filesystem::current_path();
    testsupport::TempDirectory elsewhere; // becomes current until the end of the test
    const auto start = std::filesystem::current_path();
    ASSERT_NE(start, before);
    m_dialogs->answerOpen("/daten/sammler.dta");
    entries(1);
    m_dialogs->answerSave("/export/credit.xml");
    std::vector<std::filesystem::path> seen;
    m_dialogs->onShow([&](ScriptedFileChooser::Kind) {
        seen.push_back(std::filesystem::current_path());
        std::filesystem::current_path(before);
    });
    runFromMenu();
    EXPECT_EQ(std::filesystem::current_path(), start);
    EXPECT_EQ(m_form->savedWorkingDirectory(), start);
    EXPECT_EQ(seen, (std::vector<std::filesystem::path>{start, before}));
    EXPECT_EQ(m_fake.callsTo(EntryPoint::WriteDTAtoXML).size(), 1u);
}

TEST_F(DtaCommandTest, ALongRunShowsTheBusyCursorAndKeepsTheWindowPainting) {
    constexpr int kEntries = 600;
    m_dialogs->answerOpen("/daten/sammler.dta");
    entries(kEntries);
    m_dialogs->answerSave("/export/credit.xml");
    // Runs only when the run lets the event loop in.
    std::optional<Qt::CursorShape> cursorWhileWorking;
    QTimer::singleShot(0, m_form.get(), [&] {
        const QCursor* cursor = QApplication::overrideCursor();
        cursorWhileWorking = cursor ? cursor->shape() : Qt::ArrowCursor;
    });
    // Dialogs get the normal cursor.
    std::vector<bool> busyInDialog;
    m_dialogs->onShow([&](ScriptedFileChooser::Kind) {
        busyInDialog.push_back(QApplication::overrideCursor() != nullptr);
    });
    runFromMenu();

    ASSERT_TRUE(cursorWhileWorking.has_value());
    EXPECT_EQ(*cursorWhileWorking, Qt::WaitCursor);
    EXPECT_EQ(busyInDialog, (std::vector<bool>{false, false}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(m_fake.callsTo(EntryPoint::PutDTAInfo).size(), static_cast<std::size_t>(kEntries));
    ASSERT_EQ(messageSink().messages().size(), 1u);
    EXPECT_EQ(messageSink().messages()[0].text, kSuccess);
}

TEST_F(DtaCommandTest, MessagesDuringTheEntriesAreShownWithTheNormalCursor) {
    // A sink that notes the cursor, in front of the recording one.
    struct CursorNotingSink : zalvo::MessageSink {
        std::vector<bool> busy;
        void show(zalvo::OwnerWindow owner, std::string_view caption, std::string_view text,
                  zalvo::MessageIcon icon, std::string_view description) override {
            busy.push_back(QApplication::overrideCursor() != nullptr);
            messageSink().show(owner, caption, text, icon, description);
        }
    } sink;
    zalvo::ResultReporter::setSink(&sink);
    m_dialogs->answerOpen("/daten/sammler.dta");
    entries(2);
    m_fake.script(EntryPoint::PutDTAInfo, -21);
    m_fake.script(EntryPoint::PutDTAInfo, -22);
    runFromMenu();
    zalvo::ResultReporter::setSink(&messageSink());
    EXPECT_EQ(sink.busy, (std::vector<bool>{false, false}));
    EXPECT_EQ(messageSink().messages().size(), 2u);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
