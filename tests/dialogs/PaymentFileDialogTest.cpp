#include "dialogs/DLLXML.h"
#include "dialogs/DLLXMLKonto.h"

#include "abi/RecordView.h"
#include "app/TDemoForm.h"
#include "binding/DLLAPI.h"
#include "controls/CharClassTable.h"
#include "controls/TKXButton.h"
#include "controls/TKXCheckBox.h"
#include "controls/TKXGruppe.h"
#include "controls/TKXRadio.h"
#include "dialogs/ButtonGlyph.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/dialogs/DialogTest.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <cstring>

using namespace dialogtest;
using testsupport::FakeLibrary;
using zalvo::DLLAPI;
using zalvo::EntryPoint;

namespace {

const std::string kCreate = "Zalvotech_CreateXML";
const std::string kWrite = "Zalvotech_WriteXML";
const std::string kClose = "Zalvotech_CloseXML";
constexpr std::size_t kHeaderSize = 404;
constexpr std::size_t kEntrySize = 708;

// What differs between the two forms: the names and texts of the four account fields.
struct AccountFields {
    const char* originatorBank;
    const char* originatorAccount;
    const char* recipientBank;
    const char* recipientAccount;
    const char* initiatingParty;
};

template <class Form> struct FormTraits;
template <> struct FormTraits<TXMLForm> {
    static constexpr AccountFields kFields{"EABIC", "EAIBAN", "EEBIC", "EEIBAN", "EEinName"};
};
template <> struct FormTraits<TXMLKontoForm> {
    static constexpr AccountFields kFields{"EABLZ", "EAKonto", "EEBLZ", "EEKonto", "EEInName"};
};

std::string int32Bytes(int32_t value) {
    std::string bytes(4, '\0');
    std::memcpy(bytes.data(), &value, 4);
    return bytes;
}

template <class Form> class PaymentFormTest : public ::testing::Test {
protected:
    static constexpr AccountFields kFields = FormTraits<Form>::kFields;

    void SetUp() override {
        ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kResultOk);
        m_form = std::make_unique<Form>(&m_owner);
        m_form->markFirstActivation();
        showActive(m_form.get());
    }

    zalvo::OwnerWindow owner() const { return ownerHandle(m_form.get()); }
    TKXEdit* field(const char* name) { return find<TKXEdit>(m_form.get(), name); }
    QAbstractButton* button(const char* name) { return find<QAbstractButton>(m_form.get(), name); }

    // Replaces the field's text as a user does: click, select all, type.
    void retype(const char* name, const QString& text) {
        TKXEdit* edit = field(name);
        ASSERT_NE(edit, nullptr);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Delete);
        type(edit, text);
    }

    // The bytes WriteXML received at its latest call.
    std::string lastEntry() {
        const auto calls = m_fake.callsTo(EntryPoint::WriteXML);
        EXPECT_FALSE(calls.empty());
        return calls.empty() ? std::string() : calls.back().buffers.at(0);
    }

    std::string amountAfterWriting(const QString& amount) {
        retype("EEBetrag", amount);
        click(button("BWrite"));
        const std::string entry = lastEntry();
        return entry.size() == kEntrySize
                   ? zalvo::RecordView(entry.data(), kEntrySize).text(zalvo::payment::kAmountCents)
                   : std::string();
    }

    // Execution dates are six days after this Tuesday.
    platform::FixedClock m_clock{platform::LocalDateTime{2026, 12, 8, 9, 30, 0}};
    platform::ScopedClock m_pinnedClock{m_clock};
    ControlsTestState m_state;
    FakeLibrary m_fake;
    dialogtest::OwnerWindow m_owner;
    std::unique_ptr<Form> m_form;
};

using Forms = ::testing::Types<TXMLForm, TXMLKontoForm>;
TYPED_TEST_SUITE(PaymentFormTest, Forms);

using XMLFormTest = PaymentFormTest<TXMLForm>;
using XMLKontoFormTest = PaymentFormTest<TXMLKontoForm>;

} // namespace

TYPED_TEST(PaymentFormTest, WindowGroupsAndBottomRowOfButtons) {
    QDialog* form = this->m_form.get();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("XML-Datei erzeugen"));
    EXPECT_EQ(form->accessibleName(), form->windowTitle());
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(form->windowFlags() & Qt::WindowContextHelpButtonHint);

    const char* const titles[][2] = {
        {"Gruppe1", "Auftraggeberdaten"},
        {"Gruppe2", "Empfängerdaten"},
        {"Gruppe3", "Einreicherdaten (können nur einmal angegeben werden)"},
        {"Gruppe4", "Technische Daten (können nur einmal angegeben werden)"},
        {"Gruppe5", "Infos zum Testen"},
    };
    QList<QRect> frames;
    for (const auto& [name, title] : titles) {
        auto* group = find<TKXGruppe>(form, name);
        ASSERT_NE(group, nullptr);
        EXPECT_EQ(group->title(), QString::fromUtf8(title));
        EXPECT_EQ(group->accessibleName(), group->title());
        frames << group->geometry();
    }
    // Two columns: 1 above 2 on the left, 3 above 4 above 5 on the right.
    EXPECT_LT(frames[0].bottom(), frames[1].top());
    EXPECT_LT(frames[2].bottom(), frames[3].top());
    EXPECT_LT(frames[3].bottom(), frames[4].top());
    EXPECT_LT(frames[0].right(), frames[2].left());

    const char* const buttons[][2] = {{"BCreate", "XMLCreate"},
                                      {"BWrite", "XMLWrite"},
                                      {"BClose", "XMLClose"},
                                      {"BAbbruch", "Beenden"}};
    int left = -1;
    for (const auto& [name, caption] : buttons) {
        auto* b = find<TKXButton>(form, name);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), QString::fromUtf8(caption));
        EXPECT_EQ(b->accessibleName(), b->text());
        EXPECT_TRUE(b->isEnabled());
        EXPECT_EQ(b->glyphMargin(), 2);
        EXPECT_FALSE(b->icon().isNull());
        EXPECT_GT(b->geometry().left(), left);
        EXPECT_GT(b->geometry().top(), frames[1].bottom());
        EXPECT_GT(b->geometry().top(), frames[4].bottom());
        left = b->geometry().left();
    }
    // Enter in a field presses XMLCreate.
    EXPECT_TRUE(find<TKXButton>(form, "BCreate")->isDefault());
}

TYPED_TEST(PaymentFormTest, GlyphsAreThePageThePencilTheCheckAndTheCross) {
    const std::pair<const char*, ButtonGlyph::Kind> glyphs[] = {
        {"BCreate", ButtonGlyph::Kind::WrittenPage},
        {"BWrite", ButtonGlyph::Kind::Pencil},
        {"BClose", ButtonGlyph::Kind::CheckMark},
        {"BAbbruch", ButtonGlyph::Kind::Cross},
    };
    for (const auto& [name, kind] : glyphs) {
        SCOPED_TRACE(name);
        const QIcon icon = this->button(name)->icon();
        const QIcon expected = ButtonGlyph::icon(kind);
        const QSize size = expected.availableSizes().value(0);
        for (const auto mode : {QIcon::Normal, QIcon::Disabled}) {
            EXPECT_EQ(icon.pixmap(size, mode).toImage(), expected.pixmap(size, mode).toImage());
        }
        EXPECT_NE(icon.pixmap(size, QIcon::Normal).toImage(),
                  icon.pixmap(size, QIcon::Disabled).toImage());
    }
}

TYPED_TEST(PaymentFormTest, ChoicesStartAsCreditTransferWithTheDebitKindClosed) {
    QDialog* form = this->m_form.get();
    auto* transfer = find<TKXRadio>(form, "RUebw");
    auto* debit = find<TKXRadio>(form, "RLast");
    auto* b2b = find<TKXCheckBox>(form, "CB2B");
    auto* kindLabel = find<QLabel>(form, "SLSTyp");
    ASSERT_TRUE(transfer && debit && b2b && kindLabel);
    EXPECT_EQ(transfer->text(), QString::fromUtf8("Überweisung"));
    EXPECT_EQ(debit->text(), QStringLiteral("Lastschrift"));
    EXPECT_EQ(b2b->text(), QStringLiteral("B2B-Lastschrift (Firmenlastschrift)"));
    EXPECT_EQ(transfer->accessibleName(), transfer->text());
    EXPECT_EQ(debit->accessibleName(), debit->text());
    EXPECT_EQ(b2b->accessibleName(), b2b->text());
    EXPECT_EQ(kindLabel->text(), QStringLiteral("LS-Typ"));
    EXPECT_EQ(find<QLabel>(form, "LZVTyp")->text(), QStringLiteral("ZV-Typ"));
    EXPECT_TRUE(transfer->isChecked());
    EXPECT_FALSE(debit->isChecked());
    EXPECT_FALSE(b2b->isChecked());
    EXPECT_FALSE(b2b->isEnabled());
    EXPECT_FALSE(kindLabel->isEnabled());
}

TYPED_TEST(PaymentFormTest, LastschriftOpensTheDebitKindAndUeberweisungClosesItKeepingTheMark) {
    QDialog* form = this->m_form.get();
    auto* transfer = find<TKXRadio>(form, "RUebw");
    auto* debit = find<TKXRadio>(form, "RLast");
    auto* b2b = find<TKXCheckBox>(form, "CB2B");
    auto* kindLabel = find<QLabel>(form, "SLSTyp");
    ASSERT_TRUE(transfer && debit && b2b && kindLabel);

    click(debit);
    EXPECT_TRUE(debit->isChecked());
    EXPECT_TRUE(b2b->isEnabled());
    EXPECT_TRUE(kindLabel->isEnabled());
    click(b2b);
    EXPECT_TRUE(b2b->isChecked());

    click(transfer);
    EXPECT_FALSE(b2b->isEnabled());
    EXPECT_FALSE(kindLabel->isEnabled());
    EXPECT_TRUE(b2b->isChecked());

    // The arrow keys move the choice as well.
    transfer->setFocus(Qt::TabFocusReason);
    QTest::keyClick(transfer, Qt::Key_Right);
    EXPECT_TRUE(debit->isChecked());
    EXPECT_TRUE(b2b->isEnabled());
    // Every other field stays open for a credit transfer too.
    for (const char* name : {"EACI", "EEMandat", "EEDatMandat"}) {
        EXPECT_TRUE(this->field(name)->isEnabled()) << name;
    }
}

TYPED_TEST(PaymentFormTest, MemoTellsTheCallOrderVerbatimReadOnly) {
    auto* memo = find<QPlainTextEdit>(this->m_form.get(), "Memo");
    ASSERT_NE(memo, nullptr);
    const QStringList lines = {
        QStringLiteral("Aufrufreihenfolge:"),
        QString(),
        QStringLiteral("XMLCreate (1 mal), XMLWrite(1 mal oder "),
        QStringLiteral("mehrfach), XMLClose (1 mal)"),
        QString(),
        QString::fromUtf8("Ein Ändern der Aufrufreihenfolge führt zu "),
        QStringLiteral("unkrontrollierten Ergebnissen."),
    };
    EXPECT_EQ(memo->toPlainText().split(QLatin1Char('\n')), lines);
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_FALSE(memo->focusPolicy() & Qt::TabFocus);
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(memo->parentWidget()->objectName(), QStringLiteral("Gruppe5"));
    // Typing does not change it.
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    QTest::keyClicks(memo, "abc");
    EXPECT_EQ(memo->toPlainText().split(QLatin1Char('\n')), lines);
}

TYPED_TEST(PaymentFormTest, TabVisitsTheGroupsInOrderAndThenTheButtons) {
    const auto& f = this->kFields;
    QStringList expected;
    for (const char* name : {"EAName",
                             f.originatorBank,
                             f.originatorAccount,
                             "EACI",
                             "EEName",
                             f.recipientBank,
                             f.recipientAccount,
                             "EEBetrag",
                             "EEZweck1",
                             "EEZweck2",
                             "EEMandat",
                             "EEDatMandat",
                             f.initiatingParty,
                             "EMsgId",
                             "RUebw",
                             "EPfad",
                             "EFileName",
                             "BCreate",
                             "BWrite",
                             "BClose",
                             "BAbbruch",
                             "EAName"}) {
        expected << QString::fromLatin1(name);
    }
    // Tab reaches the checked radio button only, and skips the disabled check box and the memo.
    EXPECT_EQ(tabOrder(this->field("EAName"), static_cast<int>(expected.size())), expected);

    QStringList declared = expected.mid(0, expected.size() - 1);
    // Qt takes the unchecked radio button out of the Tab chain; the disabled box stays in it.
    declared.insert(declared.indexOf("RUebw") + 1, "CB2B");
    EXPECT_EQ(declaredTabOrder(this->m_form.get()), declared);

    // With "Lastschrift" chosen, Tab goes from it to the B2B box.
    auto* debit = find<TKXRadio>(this->m_form.get(), "RLast");
    click(debit);
    EXPECT_EQ(tabOrder(debit, 3), (QStringList{"RLast", "CB2B", "EPfad"}));
}

TYPED_TEST(PaymentFormTest, FieldsCarryTheirClassesFromTheFirstActivation) {
    // Class '1': SEPA text with German letters, no '&'.
    type(this->field("EAName"), QString::fromUtf8("Müller & Söhne"));
    EXPECT_EQ(this->field("EAName")->text(), QString::fromUtf8("Müller  Söhne"));
    // Class '2', forced to capitals.
    type(this->field("EACI"), QStringLiteral("de98zzz-09"));
    EXPECT_EQ(this->field("EACI")->text(), QStringLiteral("DE98ZZZ09"));
    // Classes '3' and '4' take characters, not formats.
    type(this->field("EEDatMandat"), QStringLiteral("1.a2-13"));
    EXPECT_EQ(this->field("EEDatMandat")->text(), QStringLiteral("1.213"));
    type(this->field("EEBetrag"), QStringLiteral("1.2-34,5e6"));
    EXPECT_EQ(this->field("EEBetrag")->text(), QStringLiteral("1.234,56"));
    // Classes '6' and '7'.
    type(this->field("EPfad"), QStringLiteral("/tmp/out*"));
    EXPECT_EQ(this->field("EPfad")->text(), QStringLiteral("/tmp/out"));
    type(this->field("EFileName"), QStringLiteral("sepa ?-1.xml"));
    EXPECT_EQ(this->field("EFileName")->text(), QStringLiteral("sepa?1.xml"));
    EXPECT_EQ(this->m_state.beeps(), 9);
}

TYPED_TEST(PaymentFormTest, CreateHandsTheFileHeaderToTheLibraryAndShowsItsAnswer) {
    type(this->field("EPfad"), QStringLiteral("/tmp/sepa out"));
    type(this->field("EFileName"), QStringLiteral("lauf*.xml"));
    type(this->field(this->kFields.initiatingParty), QString::fromUtf8("Einreicher Bäcker"));
    type(this->field("EMsgId"), QStringLiteral("MSG-0001"));
    click(this->button("BCreate"));

    std::string header(kHeaderSize, '\0');
    place(header, 0, "/tmp/sepa out");
    place(header, 260, "lauf*.xml");
    place(header, 296, "MSG-0001");
    place(header, 332,
          "Einreicher B\xE4"
          "cker");
    const auto calls = this->m_fake.callsTo(EntryPoint::CreateXML);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].buffers.at(0), header);
    expectMessages({{this->owner(), kCreate, 0}});

    // A direct debit, with the B2B mark set: only the payment type changes.
    click(find<TKXRadio>(this->m_form.get(), "RLast"));
    click(find<TKXCheckBox>(this->m_form.get(), "CB2B"));
    this->m_fake.script(EntryPoint::CreateXML, -7);
    click(this->button("BCreate"));
    place(header, 256, int32Bytes(1));
    ASSERT_EQ(this->m_fake.callsTo(EntryPoint::CreateXML).size(), 2u);
    EXPECT_EQ(this->m_fake.callsTo(EntryPoint::CreateXML)[1].buffers.at(0), header);
    expectMessages({{this->owner(), kCreate, 0}, {this->owner(), kCreate, -7}});
    EXPECT_EQ(this->m_fake.callNames(), (std::vector<std::string>{kCreate, kCreate}));
}

TYPED_TEST(PaymentFormTest, AmountsReachTheLibraryAsWholeCents) {
    EXPECT_EQ(this->amountAfterWriting(QStringLiteral("1.234,56")), "123456");
    EXPECT_EQ(this->amountAfterWriting(QStringLiteral("12.5")), "12500");
    EXPECT_EQ(this->amountAfterWriting(QStringLiteral("12,5")), "1250");
    EXPECT_EQ(this->amountAfterWriting(QStringLiteral("1,2,3")), "0");
    EXPECT_EQ(this->amountAfterWriting(QStringLiteral("12345678901")), std::string(12, '$'));
    EXPECT_EQ(this->amountAfterWriting(QString()), "0");
    EXPECT_EQ(this->m_fake.callsTo(EntryPoint::WriteXML).size(), 6u);
}

TYPED_TEST(PaymentFormTest, OutOfOrderPressesStillCallTheLibraryAndShowItsAnswers) {
    this->m_fake.script(EntryPoint::WriteXML, -3);
    this->m_fake.script(EntryPoint::CloseXML, -4);
    this->m_fake.script(EntryPoint::CloseXML, -4);
    this->m_fake.script(EntryPoint::CreateXML, 0);
    click(this->button("BWrite"));
    click(this->button("BClose"));
    click(this->button("BClose"));
    click(this->button("BCreate"));
    EXPECT_EQ(this->m_fake.callNames(),
              (std::vector<std::string>{kWrite, kClose, kClose, kCreate}));
    expectMessages({{this->owner(), kWrite, -3},
                    {this->owner(), kClose, -4},
                    {this->owner(), kClose, -4},
                    {this->owner(), kCreate, 0}});
    EXPECT_TRUE(this->m_form->isVisible());
}

TYPED_TEST(PaymentFormTest, EscapeAfterCreateClosesWithoutCallingTheLibrary) {
    click(this->button("BCreate"));
    this->field("EAName")->setFocus();
    pressKey(this->m_form.get(), Qt::Key_Escape);
    EXPECT_FALSE(this->m_form->isVisible());
    EXPECT_EQ(this->m_form->result(), QDialog::Rejected);
    EXPECT_EQ(this->m_fake.callNames(), std::vector<std::string>{kCreate});
    expectMessages({{this->owner(), kCreate, 0}});
}

TYPED_TEST(PaymentFormTest, EscapeInTheMemoAndBeendenCloseWithoutCallingTheLibrary) {
    click(this->button("BCreate"));
    auto* memo = find<QPlainTextEdit>(this->m_form.get(), "Memo");
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    ASSERT_TRUE(memo->hasFocus());
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_FALSE(this->m_form->isVisible());

    showActive(this->m_form.get());
    click(this->button("BWrite"));
    click(this->button("BAbbruch"));
    EXPECT_FALSE(this->m_form->isVisible());
    EXPECT_EQ(this->m_form->result(), QDialog::Rejected);
    EXPECT_EQ(this->m_fake.callNames(), (std::vector<std::string>{kCreate, kWrite}));
}

TYPED_TEST(PaymentFormTest, SetUpRunsAtTheFirstActivationOnlyAndClosingFreesTheTables) {
    TKXEdit* name = this->field("EAName");
    const CharClassTable* table = name->charClassTable();
    ASSERT_NE(table, nullptr);
    click(find<TKXRadio>(this->m_form.get(), "RLast"));

    // Another window comes to the front and the dialog is activated again.
    QApplication::setActiveWindow(&this->m_owner);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&this->m_owner));
    QApplication::setActiveWindow(this->m_form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(this->m_form.get()));
    EXPECT_EQ(name->charClassTable(), table);
    EXPECT_TRUE(find<TKXCheckBox>(this->m_form.get(), "CB2B")->isEnabled());

    click(this->button("BAbbruch"));
    for (TKXEdit* edit : this->m_form->template findChildren<TKXEdit*>()) {
        EXPECT_EQ(edit->charClassTable(), nullptr) << edit->objectName().toStdString();
    }
    EXPECT_TRUE(this->m_fake.callNames().empty());
}

TYPED_TEST(PaymentFormTest, EnterInAFieldPressesXMLCreate) {
    type(this->field("EMsgId"), QStringLiteral("M1"));
    QTest::keyClick(this->field("EMsgId"), Qt::Key_Return);
    EXPECT_EQ(this->m_fake.callNames(), std::vector<std::string>{kCreate});
    EXPECT_TRUE(this->m_form->isVisible());
}

TYPED_TEST(PaymentFormTest, TheEntryStaysOnScreenAndARewriteLeavesNoRemnants) {
    type(this->field("EAName"), QStringLiteral("Sehr lange Firma GmbH"));
    type(this->field("EEZweck1"), QStringLiteral("Rechnung 4711 und 4712"));
    type(this->field("EEDatMandat"), QStringLiteral("31.12.2013"));
    click(this->button("BWrite"));
    const std::string first = this->lastEntry();
    EXPECT_EQ(this->field("EAName")->text(), QStringLiteral("Sehr lange Firma GmbH"));

    this->retype("EAName", QStringLiteral("Abc"));
    this->retype("EEZweck1", QStringLiteral("R1"));
    this->retype("EEDatMandat", QString());
    click(this->button("BWrite"));
    const std::string second = this->lastEntry();
    ASSERT_EQ(second.size(), kEntrySize);
    EXPECT_EQ(first.substr(543, 21), padded("31122013", 21));
    EXPECT_EQ(second.substr(20, 71), padded("Abc", 71));
    EXPECT_EQ(second.substr(564, 71), padded("R1", 71));
    EXPECT_EQ(second.substr(543, 21), std::string(21, '\0'));
}

namespace {

// Keeps every activation from the watched window, as a window system that never activates it.
class NoActivation : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        return event->type() == QEvent::WindowActivate;
    }
};

template <class Form> class PaymentFormSetUpTest : public ::testing::Test {};
TYPED_TEST_SUITE(PaymentFormSetUpTest, Forms);

} // namespace

TYPED_TEST(PaymentFormSetUpTest, OneTimeSetUpRunsAtTheFirstShowWithoutAnyActivation) {
    ControlsTestState state;
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kResultOk);
    dialogtest::OwnerWindow owner;
    TypeParam form(&owner);
    // The forms start with the debit kind closed, before any set-up.
    EXPECT_FALSE(find<TKXCheckBox>(&form, "CB2B")->isEnabled());
    EXPECT_FALSE(find<QLabel>(&form, "SLSTyp")->isEnabled());

    NoActivation filter;
    form.installEventFilter(&filter);
    form.markFirstActivation();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    TKXEdit* name = find<TKXEdit>(&form, "EAName");
    EXPECT_NE(name->charClassTable(), nullptr);
    type(name, QStringLiteral("A&B"));
    EXPECT_EQ(name->text(), QStringLiteral("AB"));
    EXPECT_FALSE(find<TKXCheckBox>(&form, "CB2B")->isEnabled());
    EXPECT_FALSE(form.firstActivation());
}

TEST_F(XMLFormTest, FieldsLabelsLengthsClassesAndNames) {
    const struct {
        const char* name;
        const char* label;
        const char* accessible;
        int maxLength;
        char mask;
        int tag;
    } fields[] = {
        {"EAName", "Name", "Auftraggeberdaten Name", 30, '1', 111},
        {"EABIC", "BIC", "Auftraggeberdaten BIC", 11, '2', 111},
        {"EAIBAN", "IBAN", "Auftraggeberdaten IBAN", 35, '2', 111},
        {"EACI", "CI - Gläubiger", "CI - Gläubiger", 35, '2', 111},
        {"EEName", "Name", "Empfängerdaten Name", 30, '1', 111},
        {"EEBIC", "BIC", "Empfängerdaten BIC", 11, '2', 112},
        {"EEIBAN", "IBAN", "Empfängerdaten IBAN", 35, '2', 111},
        {"EEBetrag", "Betrag", "Betrag", 12, '4', 111},
        {"EEZweck1", "Zweck 1", "Zweck 1", 70, '1', 111},
        {"EEZweck2", "Zweck 2", "Zweck 2", 70, '1', 111},
        {"EEMandat", "Mandat", "Mandat", 35, '1', 111},
        {"EEDatMandat", "Mandatdatum", "Mandatdatum", 10, '3', 111},
        {"EEinName", "Einreicher", "Einreicher", 30, '1', 111},
        {"EMsgId", "Message-Id", "Message-Id", 30, '1', 111},
        {"EPfad", "Exportpfad", "Exportpfad", 255, '6', 111},
        {"EFileName", "Dateiname", "Dateiname", 30, '7', 111},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.name);
        TKXEdit* edit = field(f.name);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->maxLength(), f.maxLength);
        EXPECT_EQ(edit->pictureMask(), f.mask);
        EXPECT_EQ(edit->tag(), f.tag);
        EXPECT_TRUE(edit->isEnabled());
        EXPECT_TRUE(shown(edit).isEmpty());
        EXPECT_EQ(edit->accessibleName(), QString::fromUtf8(f.accessible));
        QLabel* label = nullptr;
        for (QLabel* candidate : m_form->findChildren<QLabel*>()) {
            if (candidate->buddy() == edit) {
                label = candidate;
            }
        }
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(f.label));
        EXPECT_TRUE(label->isVisible());
        EXPECT_EQ(label->parentWidget(), edit->parentWidget());
        // The label stands in front of its field.
        EXPECT_LT(label->geometry().right(), edit->geometry().left());
    }
}

TEST_F(XMLFormTest, WriteFillsEveryFieldOfTheEntryAndLeavesBankCodesZero) {
    type(field("EAName"), QString::fromUtf8("Müller (Söhne) GmbH"));
    type(field("EABIC"), QStringLiteral("cobadeffxxx"));
    type(field("EAIBAN"), QStringLiteral("DE89370400440532013000"));
    type(field("EACI"), QStringLiteral("DE98ZZZ09999999999"));
    type(field("EEName"), QString::fromUtf8("Straßenbau Nord"));
    type(field("EEBIC"), QStringLiteral("DEUTDEFF"));
    type(field("EEIBAN"), QStringLiteral("DE02120300000000202051"));
    type(field("EEBetrag"), QStringLiteral("1.234,56"));
    type(field("EEZweck1"), QStringLiteral("  Rechnung 4711  "));
    type(field("EEZweck2"), QStringLiteral("Kunde 0815"));
    type(field("EEMandat"), QStringLiteral("MANDAT-1"));
    type(field("EEDatMandat"), QStringLiteral("1.2.13"));
    click(button("BWrite"));

    std::string entry(kEntrySize, '\0');
    place(entry, 0, "Test");
    place(entry, 11, "14122026");
    place(entry, 20, "M\xFCller (S\xF6hne) GmbH");
    place(entry, 91, "COBADEFFXXX");
    place(entry, 103, "DE89370400440532013000");
    place(entry, 210, "DE98ZZZ09999999999");
    place(entry, 267,
          "Stra\xDF"
          "enbau Nord");
    place(entry, 338, "DEUTDEFF");
    place(entry, 350, "DE02120300000000202051");
    place(entry, 483, "123456");
    place(entry, 496, "ETE");
    place(entry, 507, "MANDAT-1");
    place(entry, 543, "01022013");
    place(entry, 564, "Rechnung 4711");
    place(entry, 635, "Kunde 0815");
    EXPECT_EQ(lastEntry(), entry);
    expectMessages({{owner(), kWrite, 0}});
}

TEST_F(XMLFormTest, ExecutionDateFollowsTheClock) {
    m_clock.setNow({2026, 12, 28, 23, 59, 59});
    click(button("BWrite"));
    EXPECT_EQ(lastEntry().substr(11, 9), padded("03012027", 9));
    m_clock.setNow({2028, 2, 24, 0, 0, 0});
    click(button("BWrite"));
    EXPECT_EQ(lastEntry().substr(11, 9), padded("01032028", 9));
}

TEST_F(XMLKontoFormTest, FieldsLabelsLengthsClassesAndNames) {
    const struct {
        const char* name;
        const char* label;
        const char* accessible;
        int maxLength;
        char mask;
        int tag;
    } fields[] = {
        {"EAName", "Name", "Auftraggeberdaten Name", 30, '1', 111},
        {"EABLZ", "BLZ", "Auftraggeberdaten BLZ", 8, '9', 111},
        {"EAKonto", "Kontonummer", "Auftraggeberdaten Kontonummer", 10, '9', 111},
        {"EACI", "CI - Gläubiger", "CI - Gläubiger", 35, '2', 111},
        {"EEName", "Name", "Empfängerdaten Name", 30, '1', 111},
        {"EEBLZ", "BLZ", "Empfängerdaten BLZ", 8, '9', 112},
        {"EEKonto", "Kontonummer", "Empfängerdaten Kontonummer", 10, '9', 111},
        {"EEInName", "Einreicher", "Einreicher", 30, '1', 111},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.name);
        TKXEdit* edit = field(f.name);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->maxLength(), f.maxLength);
        EXPECT_EQ(edit->pictureMask(), f.mask);
        EXPECT_EQ(edit->tag(), f.tag);
        EXPECT_EQ(edit->accessibleName(), QString::fromUtf8(f.accessible));
        QLabel* label = nullptr;
        for (QLabel* candidate : m_form->findChildren<QLabel*>()) {
            if (candidate->buddy() == edit) {
                label = candidate;
            }
        }
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(f.label));
    }
    // The bank-code and account fields keep the default table.
    for (const char* name : {"EABLZ", "EAKonto", "EEBLZ", "EEKonto"}) {
        EXPECT_EQ(field(name)->charClassTable(), nullptr) << name;
    }
    EXPECT_EQ(m_form->findChild<TKXEdit*>("EABIC"), nullptr);
    EXPECT_EQ(m_form->findChild<TKXEdit*>("EEinName"), nullptr);
}

TEST_F(XMLKontoFormTest, WriteFillsBankCodesAsTypedAndLeavesBicAndIbanZero) {
    type(field("EAName"), QStringLiteral("Auftraggeber"));
    type(field("EABLZ"), QStringLiteral(" 37 4004"));
    type(field("EAKonto"), QStringLiteral("5320130 "));
    type(field("EEName"), QStringLiteral("Empfaenger"));
    type(field("EEBLZ"), QStringLiteral("12030000x"));
    type(field("EEKonto"), QStringLiteral("20 20 51"));
    type(field("EEBetrag"), QStringLiteral("12,5"));
    click(button("BWrite"));

    std::string entry(kEntrySize, '\0');
    place(entry, 0, "Test");
    place(entry, 11, "14122026");
    place(entry, 20, "Auftraggeber");
    place(entry, 246, "37 4004");
    place(entry, 255, "5320130");
    place(entry, 267, "Empfaenger");
    place(entry, 457, "12030000");
    place(entry, 466, "20 20 51");
    place(entry, 483, "1250");
    place(entry, 496, "ETE");
    EXPECT_EQ(lastEntry(), entry);
    expectMessages({{owner(), kWrite, 0}});
    // The letter was refused with a beep.
    EXPECT_EQ(m_state.beeps(), 1);
}

TEST(PaymentFileCommands, MainWindowOpensBothFormsModally) {
    ControlsTestState state;
    FakeLibrary fake;
    ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kResultOk);
    TDemoForm window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    for (const int tag : {TDemoForm::kTagXMLWithIBAN, TDemoForm::kTagXMLWithAccount}) {
        SCOPED_TRACE(tag);
        QString shownClass;
        bool modal = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            shownClass = QString::fromLatin1(dialog->metaObject()->className());
            modal = dialog->isModal();
            EXPECT_EQ(dialog->parentWidget(), &window);
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        window.dispatch(tag);
        EXPECT_TRUE(modal);
        EXPECT_EQ(shownClass, tag == TDemoForm::kTagXMLWithIBAN ? QStringLiteral("TXMLForm")
                                                                : QStringLiteral("TXMLKontoForm"));
    }
    EXPECT_TRUE(fake.callNames().empty());
    EXPECT_TRUE(testsupport::messageSink().messages().empty());
}

// Refreshes docs/xml-dialog.png and docs/xml-konto-dialog.png when ZALVO_SCREENSHOT_DIR names
// a folder; run it under a real display server (xvfb-run) for the screenshots to be true.
TEST(PaymentFileScreenshots, BothFormsAsTheyAppear) {
    const QString folder = qEnvironmentVariable("ZALVO_SCREENSHOT_DIR");
    if (folder.isEmpty()) {
        GTEST_SKIP() << "ZALVO_SCREENSHOT_DIR not set";
    }
    ControlsTestState state;
    dialogtest::OwnerWindow owner;
    TXMLForm xml(&owner);
    TXMLKontoForm konto(&owner);
    for (const auto& [form, file] : {std::pair<QDialog*, const char*>{&xml, "xml-dialog.png"},
                                     {&konto, "xml-konto-dialog.png"}}) {
        static_cast<KXDialog*>(form)->markFirstActivation();
        // Without a window manager nothing activates the window; tell it so it sets itself up.
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(form, &activate);
        ASSERT_FALSE(form->findChild<QWidget*>("CB2B")->isEnabled());
        const QImage image = form->grab().toImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_TRUE(image.save(QDir(folder).filePath(QString::fromLatin1(file))));
        form->hide();
    }
}
