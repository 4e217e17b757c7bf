#include "dialogs/DLLConvert.h"

#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "controls/TKXButton.h"
#include "controls/TKXGruppe.h"
#include "tests/dialogs/DialogTest.h"

using namespace dialogtest;
using testsupport::FakeLibrary;
using testsupport::FakeVariant;
using zalvo::DLLAPI;
using zalvo::EntryPoint;
namespace account = zalvo::account;

namespace {

const std::string kConvert = "Zalvotech_ConvertBLZKonto";
constexpr int kRecord = 0;

// The account record as the library must receive it.
std::string accountRecord(std::string_view bankCode, std::string_view accountNumber) {
    std::string record(account::kSize, '\0');
    place(record, account::kBankCode.offset, bankCode);
    place(record, account::kAccountNumber.offset, accountNumber);
    return record;
}

class ConvertDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_fake = std::make_unique<FakeLibrary>();
        ASSERT_EQ(DLLAPI::loadAndBind(), 0);
        m_form = std::make_unique<TConvertForm>(&m_owner);
        showActive(m_form.get());
    }

    // Scripts the next conversion: its result and what the library writes into the record.
    void answer(int32_t result, std::string_view bic, std::string_view iban) {
        m_fake->script(EntryPoint::ConvertBLZKonto, result);
        m_fake->scriptText(EntryPoint::ConvertBLZKonto, kRecord, account::kBic, bic);
        m_fake->scriptText(EntryPoint::ConvertBLZKonto, kRecord, account::kIban, iban);
    }

    void convert(const QString& bankCode, const QString& accountNumber) {
        type(field("EBLZ"), bankCode);
        type(field("EKonto"), accountNumber);
        click(button("BOK"));
    }

    // The records the library received, in call order.
    std::vector<std::string> received() const {
        std::vector<std::string> records;
        for (const auto& call : m_fake->callsTo(EntryPoint::ConvertBLZKonto)) {
            records.push_back(call.buffers.at(kRecord));
        }
        return records;
    }

    zalvo::OwnerWindow owner() const { return ownerHandle(m_form.get()); }
    TKXEdit* field(const char* name) { return find<TKXEdit>(m_form.get(), name); }
    QAbstractButton* button(const char* name) { return find<QAbstractButton>(m_form.get(), name); }

    ControlsTestState m_state;
    std::unique_ptr<FakeLibrary> m_fake;
    dialogtest::OwnerWindow m_owner;
    std::unique_ptr<TConvertForm> m_form;
};

} // namespace

TEST_F(ConvertDialogTest, FormShowsCaptionsFieldsButtonsAndTabOrder) {
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("BIC und IBAN ermitteln"));
    EXPECT_EQ(m_form->accessibleName(), m_form->windowTitle());
    auto* group = find<TKXGruppe>(m_form.get(), "Gruppe1");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral("Bankverbindung"));

    const FieldSpec fields[] = {
        {"EBLZ", "Bankleitzahl", 8, '9', 111, true},
        {"EKonto", "Kontonummer", 11, '9', 111, true},
        {"EBIC", "Ermittelter BIC", 11, 'X', 111, false},
        {"EIBAN", "Ermittelte IBAN", 35, 'X', 111, false},
    };
    for (const FieldSpec& fieldSpec : fields) {
        expectField(m_form.get(), fieldSpec);
        EXPECT_TRUE(group->isAncestorOf(field(fieldSpec.name)));
    }

    auto* ok = find<TKXButton>(m_form.get(), "BOK");
    auto* cancel = find<TKXButton>(m_form.get(), "BAbbruch");
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), QStringLiteral("Ermitteln"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Abbrechen"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(ok->glyphMargin(), 2);
    EXPECT_FALSE(ok->icon().isNull());
    EXPECT_FALSE(cancel->icon().isNull());

    EXPECT_EQ(declaredTabOrder(m_form.get()),
              QStringList({"EBLZ", "EKonto", "EBIC", "EIBAN", "BOK", "BAbbruch"}));
    // The display fields are skipped.
    EXPECT_EQ(tabOrder(field("EBLZ"), 5),
              QStringList({"EBLZ", "EKonto", "BOK", "BAbbruch", "EBLZ"}));
    EXPECT_EQ(m_form->minimumSize(), m_form->maximumSize());
}

TEST_F(ConvertDialogTest, ConversionPassesTheRecordAndShowsWhatTheLibraryWrote) {
    answer(0, "COBADEFFXXX", "DE89370400440532013000");
    convert("37040044", "532013000");

    EXPECT_EQ(received(), (std::vector<std::string>{accountRecord("37040044", "532013000")}));
    expectMessages({{owner(), kConvert, 0}});
    EXPECT_EQ(m_form->bic(), "COBADEFFXXX");
    EXPECT_EQ(m_form->iban(), "DE89370400440532013000");
    // The dialog stays open for the next conversion.
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_EQ(m_fake->callNames(), std::vector<std::string>{kConvert});
}

TEST_F(ConvertDialogTest, NegativeResultEmptiesBothDisplayFields) {
    answer(0, "COBADEFFXXX", "DE89370400440532013000");
    convert("37040044", "532013000");
    // Even when the library wrote something before failing.
    answer(-12, "FALSCHXXXXX", "DE00");
    convert("1", "2");

    expectMessages({{owner(), kConvert, 0}, {owner(), kConvert, -12}});
    EXPECT_EQ(m_form->bic(), "");
    EXPECT_EQ(m_form->iban(), "");
    // The record was cleared before the second call: no output of the first one reached it.
    const auto records = received();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1], accountRecord("1", "2"));
}

TEST_F(ConvertDialogTest, PositiveResultsShowWhatTheLibraryWrote) {
    answer(5, "COBADEFFXXX", "DE89370400440532013000");
    convert("37040044", "532013000");
    EXPECT_EQ(m_form->bic(), "COBADEFFXXX");
    EXPECT_EQ(m_form->iban(), "DE89370400440532013000");

    // Above 128 the code is shown as an error number, still under the success caption.
    answer(200, "MARKDEF1100", "DE02100000000012345678");
    click(button("BOK"));
    EXPECT_EQ(m_form->bic(), "MARKDEF1100");
    EXPECT_EQ(m_form->iban(), "DE02100000000012345678");
    expectMessages({{owner(), kConvert, 5}, {owner(), kConvert, 200}});
}

TEST_F(ConvertDialogTest, ResultZeroWithoutOutputEmptiesTheDisplayFields) {
    answer(0, "COBADEFFXXX", "DE89370400440532013000");
    convert("37040044", "532013000");
    m_fake->script(EntryPoint::ConvertBLZKonto, 0);
    click(button("BOK"));
    EXPECT_EQ(m_form->bic(), "");
    EXPECT_EQ(m_form->iban(), "");
    expectMessages({{owner(), kConvert, 0}, {owner(), kConvert, 0}});
}

TEST_F(ConvertDialogTest, EmptyFieldsReachTheLibraryAsEmptyStrings) {
    click(button("BOK"));
    EXPECT_EQ(received(), (std::vector<std::string>{std::string(account::kSize, '\0')}));
    expectMessages({{owner(), kConvert, 0}});
}

TEST_F(ConvertDialogTest, SurroundingBlanksNeverReachTheLibrary) {
    // Typed blanks around the text, inner blanks kept.
    convert("  370400", " 12 34 ");
    // Pressed with Enter while the field still has the focus.
    type(field("EBLZ"), " 1234  ");
    type(field("EKonto"), "  99");
    pressKey(m_form.get(), Qt::Key_Return);
    // Blanks in a field that does not have the focus, which only the dialog removes.
    field("EBLZ")->setText(QStringLiteral(" 5 "));
    field("EKonto")->setText(QStringLiteral("  7  "));
    click(button("BOK"));

    EXPECT_EQ(received(),
              (std::vector<std::string>{accountRecord("370400", "12 34"),
                                        accountRecord("1234", "99"), accountRecord("5", "7")}));
}

TEST_F(ConvertDialogTest, ElevenDigitAccountIsPassedWholeAndATwelfthRefused) {
    convert("37040044", "123456789012");
    EXPECT_EQ(m_form->accountNumber(), "12345678901");
    EXPECT_EQ(m_state.beeps(), 1);
    EXPECT_EQ(received(), (std::vector<std::string>{accountRecord("37040044", "12345678901")}));
    // The account field holds 11 characters and its terminating zero, nothing spills over.
    EXPECT_EQ(received()[0].at(account::kAccountNumber.end() - 1), '\0');
}

TEST_F(ConvertDialogTest, UnterminatedOutputIsReadOnlyUpToTheFieldWidth) {
    // A BIC filling all 12 bytes of its field, followed by an IBAN: the BIC ends at its field.
    m_fake->script(EntryPoint::ConvertBLZKonto, 0);
    m_fake->scriptWrite(EntryPoint::ConvertBLZKonto, kRecord, account::kBic.offset, "ABCDEFGHIJKL");
    m_fake->scriptText(EntryPoint::ConvertBLZKonto, kRecord, account::kIban,
                       "DE89370400440532013000");
    convert("37040044", "532013000");
    EXPECT_EQ(m_form->bic(), "ABCDEFGHIJK");
    EXPECT_EQ(m_form->iban(), "DE89370400440532013000");

    // An IBAN filling all 36 bytes up to the record's end.
    const std::string longIban(account::kIban.width, 'Z');
    m_fake->script(EntryPoint::ConvertBLZKonto, 0);
    m_fake->scriptWrite(EntryPoint::ConvertBLZKonto, kRecord, account::kIban.offset, longIban);
    click(button("BOK"));
    EXPECT_EQ(m_form->bic(), "");
    EXPECT_EQ(m_form->iban(), QString(35, QLatin1Char('Z')));
}

TEST_F(ConvertDialogTest, EnterConvertsAndEscapeCloses) {
    answer(0, "COBADEFFXXX", "DE89370400440532013000");
    type(field("EBLZ"), "37040044");
    type(field("EKonto"), "532013000");
    pressKey(m_form.get(), Qt::Key_Enter);
    EXPECT_EQ(m_form->bic(), "COBADEFFXXX");
    EXPECT_TRUE(m_form->isVisible());

    pressKey(m_form.get(), Qt::Key_Escape);
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(m_form->result(), QDialog::Rejected);
    EXPECT_EQ(m_fake->callNames(), std::vector<std::string>{kConvert});
    expectMessages({{owner(), kConvert, 0}});
}

TEST(ConvertDialogUnbound, MissingEntryPointIsReportedNotCalled) {
    ControlsTestState state;
    FakeLibrary fake(FakeVariant::None);
    // Counts as loaded although nothing could be bound.
    ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kEntryPointMissing);
    dialogtest::OwnerWindow window;
    TConvertForm form(&window);
    showActive(&form);
    type(find<TKXEdit>(&form, "EBLZ"), "37040044");
    click(find<QAbstractButton>(&form, "BOK"));
    expectMessages({{ownerHandle(&form), kConvert, zalvo::kEntryPointMissing}});
    EXPECT_TRUE(fake.calls().empty());
    EXPECT_EQ(form.bic(), "");
    EXPECT_TRUE(form.isVisible());
}
