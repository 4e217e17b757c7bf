#include "dialogs/DLLInit.h"

#include "binding/DLLAPI.h"
#include "binding/ResultReporter.h"
#include "controls/TKXButton.h"
#include "controls/TKXGruppe.h"
#include "tests/dialogs/DialogTest.h"

#include <QPointer>
#include <QTimer>
#include <filesystem>

using namespace dialogtest;
using testsupport::FakeLibrary;
using testsupport::FakeVariant;
using zalvo::DLLAPI;
using zalvo::EntryPoint;

namespace {

constexpr std::size_t kPath = zalvo::kPathBufferSize;
const std::string kSetLogFile = "Zalvotech_SetLogFile";
const std::string kInit = "Zalvotech_Init";

class InitDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_fake = std::make_unique<FakeLibrary>();
        openForm();
    }

    void openForm() {
        m_form = std::make_unique<TInitForm>(&m_owner);
        showActive(m_form.get());
    }

    // Another variant of the fake in a fresh current directory.
    void useFake(FakeVariant variant) {
        m_fake.reset();
        m_fake = std::make_unique<FakeLibrary>(variant);
    }

    zalvo::OwnerWindow owner() const { return ownerHandle(m_form.get()); }
    TKXEdit* field(const char* name) { return find<TKXEdit>(m_form.get(), name); }
    QAbstractButton* button(const char* name) { return find<QAbstractButton>(m_form.get(), name); }
    bool open() const { return m_form->isVisible(); }

    ControlsTestState m_state;
    std::unique_ptr<FakeLibrary> m_fake;
    dialogtest::OwnerWindow m_owner;
    std::unique_ptr<TInitForm> m_form;
};

// Records whether the owner of each message box was still on screen when the box came up.
class VisibilityProbe : public zalvo::MessageSink {
public:
    VisibilityProbe() : m_previous(zalvo::ResultReporter::sink()) {
        zalvo::ResultReporter::setSink(this);
    }
    ~VisibilityProbe() override { zalvo::ResultReporter::setSink(m_previous); }
    void show(zalvo::OwnerWindow owner, std::string_view caption, std::string_view text,
              zalvo::MessageIcon icon, std::string_view description) override {
        ownerVisible.push_back(ownerWidget(owner) && ownerWidget(owner)->isVisible());
        m_previous->show(owner, caption, text, icon, description);
    }
    std::vector<bool> ownerVisible;

private:
    zalvo::MessageSink* m_previous;
};

} // namespace

TEST_F(InitDialogTest, FormShowsCaptionsFieldsButtonsAndTabOrder) {
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("API initialisieren"));
    EXPECT_EQ(m_form->accessibleName(), m_form->windowTitle());
    auto* group1 = find<TKXGruppe>(m_form.get(), "Gruppe1");
    auto* group2 = find<TKXGruppe>(m_form.get(), "Gruppe2");
    ASSERT_TRUE(group1 && group2);
    EXPECT_EQ(group1->title(), QString::fromUtf8("Parameter für Init"));
    EXPECT_EQ(group2->title(), QString::fromUtf8("Pfad und Dateiname für Logdatei"));
    EXPECT_EQ(group2->accessibleName(), group2->title());

    const FieldSpec fields[] = {
        {"EData", "Pfad für Datenbanken - DataPath", 255, 'X', 111, true},
        {"ETemp", "Pfad für temporäre Dateien - TempPath", 255, 'X', 111, true},
        {"EUser", "Pfad für Benutzerdaten - UserPath", 255, 'X', 111, true},
        {"ELogFile", "Optionaler Pfad/Dateiname für Logdatei", 255, 'X', 115, true},
    };
    for (const FieldSpec& fieldSpec : fields) {
        expectField(m_form.get(), fieldSpec);
    }
    EXPECT_TRUE(group1->isAncestorOf(field("EUser")));
    EXPECT_TRUE(group2->isAncestorOf(field("ELogFile")));

    auto* ok = find<TKXButton>(m_form.get(), "BOK");
    auto* cancel = find<TKXButton>(m_form.get(), "BAbbruch");
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Abbrechen"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_FALSE(cancel->isDefault());
    EXPECT_EQ(ok->glyphMargin(), 2);
    EXPECT_EQ(cancel->glyphMargin(), 2);
    // Each glyph has a normal and a greyed image.
    for (TKXButton* b : {ok, cancel}) {
        const QImage normal = b->icon().pixmap(b->iconSize(), QIcon::Normal).toImage();
        const QImage greyed = b->icon().pixmap(b->iconSize(), QIcon::Disabled).toImage();
        EXPECT_FALSE(normal.isNull());
        EXPECT_NE(normal, greyed);
    }

    EXPECT_EQ(declaredTabOrder(m_form.get()),
              QStringList({"EData", "ETemp", "EUser", "BOK", "BAbbruch", "ELogFile"}));
    EXPECT_EQ(tabOrder(field("EData"), 7),
              QStringList({"EData", "ETemp", "EUser", "BOK", "BAbbruch", "ELogFile", "EData"}));

    // Fixed border with only the system menu.
    EXPECT_EQ(m_form->minimumSize(), m_form->maximumSize());
    EXPECT_FALSE(m_form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(m_form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(m_form->windowFlags() & Qt::WindowContextHelpButtonHint);
    EXPECT_TRUE(m_form->windowFlags() & Qt::WindowSystemMenuHint);
}

TEST_F(InitDialogTest, OKStartsTheLogAndInitialisesWithTrimmedPaths) {
    type(field("EData"), "  /daten/bank  ");
    type(field("ETemp"), "/tmp");
    type(field("EUser"), QString::fromUtf8("/home/jürgen"));
    type(field("ELogFile"), "  zalvo.log ");
    click(button("BOK"));

    const auto calls = m_fake->calls();
    ASSERT_EQ(m_fake->callNames(), (std::vector<std::string>{kSetLogFile, kInit}));
    EXPECT_EQ(calls[0].buffers, (std::vector<std::string>{padded("zalvo.log", kPath)}));
    EXPECT_EQ(calls[0].ints, (std::vector<int64_t>{1, 7, 2}));
    EXPECT_EQ(calls[1].buffers,
              (std::vector<std::string>{padded("/daten/bank", kPath), padded("/tmp", kPath),
                                        padded("/home/j\xFCrgen", kPath)}));
    EXPECT_EQ(calls[1].ints, (std::vector<int64_t>{0}));
    // One message only: Init's, none for the log file.
    expectMessages({{owner(), kInit, 0}});
    EXPECT_FALSE(open());
    EXPECT_EQ(m_form->result(), QDialog::Accepted);
    EXPECT_EQ(DLLAPI::logFileName(), "zalvo.log");
    EXPECT_TRUE(DLLAPI::loaded());
}

TEST_F(InitDialogTest, PastedControlCharactersAroundAPathNeverReachTheLibrary) {
    // The field keeps pasted control characters; the dialog's trimming removes them.
    paste(field("EData"), "/daten\t\r\n");
    ASSERT_EQ(field("EData")->textBytes(), "/daten\t\r\n");
    paste(field("ELogFile"), "log.txt\r\n");
    // The trimming rule: a text whose first character other than a blank is a control
    // character counts as empty as a whole.
    paste(field("ETemp"), "\t/temp");
    click(button("BOK"));

    ASSERT_EQ(m_fake->callNames(), (std::vector<std::string>{kSetLogFile, kInit}));
    EXPECT_EQ(m_fake->calls()[0].buffers[0], padded("log.txt", kPath));
    EXPECT_EQ(m_fake->calls()[1].buffers[0], padded("/daten", kPath));
    EXPECT_EQ(m_fake->calls()[1].buffers[1], padded("", kPath));
    EXPECT_EQ(DLLAPI::logFileName(), "log.txt");
}

TEST_F(InitDialogTest, EmptyLogFieldSkipsSetLogFileAndClearsTheStoredName) {
    // As left by an earlier initialisation.
    DLLAPI::setLogFileName("alt.log");
    click(button("BOK"));

    ASSERT_EQ(m_fake->callNames(), (std::vector<std::string>{kInit}));
    // Empty paths are passed as empty strings.
    EXPECT_EQ(m_fake->calls()[0].buffers, (std::vector<std::string>(3, std::string(kPath, '\0'))));
    EXPECT_EQ(DLLAPI::logFileName(), "");
    expectMessages({{owner(), kInit, 0}});
    EXPECT_FALSE(open());
}

TEST_F(InitDialogTest, BlankOnlyLogFieldBehavesAsEmpty) {
    // Typed blanks, OK pressed with Enter while the field still has the focus.
    DLLAPI::setLogFileName("alt.log");
    type(field("ELogFile"), "     ");
    pressKey(m_form.get(), Qt::Key_Return);
    EXPECT_EQ(m_fake->callNames(), (std::vector<std::string>{kInit}));
    EXPECT_EQ(DLLAPI::logFileName(), "");
    EXPECT_FALSE(open());

    // Blanks and pasted tabs, which the field itself keeps.
    m_fake->reset();
    testsupport::messageSink().clear();
    DLLAPI::setLogFileName("alt.log");
    openForm();
    paste(field("ELogFile"), " \t  \t ");
    click(button("BOK"));
    EXPECT_EQ(m_fake->callNames(), (std::vector<std::string>{kInit}));
    EXPECT_EQ(DLLAPI::logFileName(), "");
    expectMessages({{owner(), kInit, 0}});
}

TEST_F(InitDialogTest, FailingSetLogFileKeepsTheDialogOpenAndNeverCallsInit) {
    DLLAPI::setLogFileName("alt.log");
    m_fake->script(EntryPoint::SetLogFile, -5);
    m_fake->script(EntryPoint::SetLogFile, 3);
    type(field("EData"), "/daten");
    type(field("ELogFile"), "neu.log");

    click(button("BOK"));
    EXPECT_EQ(m_fake->callNames(), (std::vector<std::string>{kSetLogFile}));
    expectMessages({{owner(), kSetLogFile, -5}});
    EXPECT_TRUE(open());
    // The new name is stored although the library refused it.
    EXPECT_EQ(DLLAPI::logFileName(), "neu.log");

    // A positive answer is no success either.
    click(button("BOK"));
    EXPECT_EQ(m_fake->callNames(), (std::vector<std::string>{kSetLogFile, kSetLogFile}));
    expectMessages({{owner(), kSetLogFile, -5}, {owner(), kSetLogFile, 3}});
    EXPECT_TRUE(open());

    // Once the library takes the log, Init follows on the same press.
    click(button("BOK"));
    EXPECT_EQ(m_fake->callNames(),
              (std::vector<std::string>{kSetLogFile, kSetLogFile, kSetLogFile, kInit}));
    expectMessages({{owner(), kSetLogFile, -5}, {owner(), kSetLogFile, 3}, {owner(), kInit, 0}});
    EXPECT_FALSE(open());
}

TEST_F(InitDialogTest, FailingInitClosesTheDialogAfterItsMessage) {
    VisibilityProbe probe;
    m_fake->script(EntryPoint::Init, -7);
    click(button("BOK"));

    expectMessages({{owner(), kInit, -7}});
    EXPECT_EQ(probe.ownerVisible, std::vector<bool>{true});
    EXPECT_FALSE(open());
    EXPECT_EQ(m_form->result(), QDialog::Accepted);
    EXPECT_TRUE(DLLAPI::loaded());
}

TEST_F(InitDialogTest, MissingLibraryReadsNoFieldAndASecondOKRetries) {
    const auto hidden = m_fake->directory() / "Zalvotech.weg";
    std::filesystem::rename(m_fake->libraryPath(), hidden);
    DLLAPI::setLogFileName("alt.log");
    type(field("EData"), "/daten");
    type(field("ELogFile"), "  neu.log  ");

    // Enter leaves the focus in the log field, where reading it would remove the blanks.
    pressKey(m_form.get(), Qt::Key_Return);
    expectMessages({{owner(), kInit, zalvo::kLibraryNotLoadable}});
    EXPECT_TRUE(m_fake->calls().empty());
    EXPECT_EQ(shown(field("ELogFile")), "  neu.log  ");
    EXPECT_EQ(DLLAPI::logFileName(), "alt.log");
    EXPECT_FALSE(DLLAPI::loaded());
    EXPECT_TRUE(open());

    // The library is back: the next OK loads it.
    std::filesystem::rename(hidden, m_fake->libraryPath());
    pressKey(m_form.get(), Qt::Key_Return);
    ASSERT_EQ(m_fake->callNames(), (std::vector<std::string>{kSetLogFile, kInit}));
    EXPECT_EQ(m_fake->calls()[0].buffers[0], padded("neu.log", kPath));
    EXPECT_EQ(m_fake->calls()[1].buffers[0], padded("/daten", kPath));
    expectMessages({{owner(), kInit, zalvo::kLibraryNotLoadable}, {owner(), kInit, 0}});
    EXPECT_EQ(DLLAPI::moduleHandle(), reinterpret_cast<std::uintptr_t>(m_fake->module()));
    EXPECT_FALSE(open());
}

TEST_F(InitDialogTest, PartialBindingNeverCallsAnUnboundEntryPoint) {
    useFake(FakeVariant::NoSetLogFile);
    type(field("ELogFile"), "x.log");
    click(button("BOK"));
    // The load's own failure, under Init's name; nothing read.
    expectMessages({{owner(), kInit, zalvo::kEntryPointMissing}});
    EXPECT_EQ(DLLAPI::logFileName(), "");

    // Loaded now, but SetLogFile is not bound: reported, and Init does not follow.
    click(button("BOK"));
    expectMessages({{owner(), kInit, zalvo::kEntryPointMissing},
                    {owner(), kSetLogFile, zalvo::kEntryPointMissing}});
    EXPECT_TRUE(m_fake->calls().empty());
    EXPECT_EQ(DLLAPI::logFileName(), "x.log");
    EXPECT_TRUE(open());

    // Without a log file the bound Init is called.
    type(field("ELogFile"), "");
    ASSERT_EQ(shown(field("ELogFile")), "");
    click(button("BOK"));
    EXPECT_EQ(m_fake->callNames(), (std::vector<std::string>{kInit}));
    EXPECT_FALSE(open());
}

TEST_F(InitDialogTest, LibraryWithoutInitStaysOpenWithoutCallingIt) {
    useFake(FakeVariant::None);
    click(button("BOK"));
    click(button("BOK"));
    expectMessages(
        {{owner(), kInit, zalvo::kEntryPointMissing}, {owner(), kInit, zalvo::kEntryPointMissing}});
    EXPECT_TRUE(m_fake->calls().empty());
    EXPECT_TRUE(open());
}

TEST_F(InitDialogTest, SecondInitialisationSkipsLoadingAndCallsBothAgain) {
    ASSERT_EQ(DLLAPI::loadAndBind(), 0);
    const auto handle = DLLAPI::moduleHandle();
    type(field("ELogFile"), "zweiter.log");
    click(button("BOK"));
    EXPECT_EQ(m_fake->callNames(), (std::vector<std::string>{kSetLogFile, kInit}));
    EXPECT_EQ(DLLAPI::moduleHandle(), handle);
    expectMessages({{owner(), kInit, 0}});
}

TEST_F(InitDialogTest, EscapeAndTheCloseBoxCancelWithoutCallingTheLibrary) {
    type(field("EData"), "/daten");
    pressKey(m_form.get(), Qt::Key_Escape);
    EXPECT_FALSE(open());
    EXPECT_EQ(m_form->result(), QDialog::Rejected);

    openForm();
    click(button("BAbbruch"));
    EXPECT_FALSE(open());
    EXPECT_EQ(m_form->result(), QDialog::Rejected);

    openForm();
    m_form->close();
    EXPECT_FALSE(open());
    EXPECT_EQ(m_form->result(), QDialog::Rejected);

    EXPECT_TRUE(m_fake->calls().empty());
    EXPECT_TRUE(testsupport::messageSink().messages().empty());
    EXPECT_FALSE(DLLAPI::loaded());
}

TEST_F(InitDialogTest, ActivationClearsTheFirstActivationMark) {
    TInitForm form(&m_owner);
    form.markFirstActivation();
    EXPECT_TRUE(form.firstActivation());
    showActive(&form);
    EXPECT_FALSE(form.firstActivation());
}

TEST_F(InitDialogTest, ClassLevelRoutineShowsTheDialogModallyCentredAndReleasesIt) {
    m_form.reset();
    QPointer<TInitForm> seen;
    bool centred = false;
    bool modal = false;
    bool marked = true;
    QTimer::singleShot(0, [&] {
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        seen = qobject_cast<TInitForm*>(QApplication::activeModalWidget());
        ASSERT_TRUE(seen);
        ASSERT_TRUE(QTest::qWaitForWindowActive(seen));
        marked = seen->firstActivation();
        modal = seen->isModal() && seen->parentWidget() == &m_owner;
        const QPoint offset = seen->frameGeometry().center() - m_owner.frameGeometry().center();
        centred = offset.manhattanLength() <= 2;
        pressKey(seen, Qt::Key_Escape);
    });
    EXPECT_EQ(TInitForm::execute(&m_owner), QDialog::Rejected);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(centred);
    EXPECT_FALSE(marked);
    // Released on return.
    EXPECT_TRUE(seen.isNull());
    EXPECT_TRUE(m_fake->calls().empty());
}
