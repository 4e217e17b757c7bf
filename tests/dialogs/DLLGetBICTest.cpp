#include "dialogs/DLLGetBIC.h"

#include "abi/RecordLayouts.h"
#include "binding/DLLAPI.h"
#include "controls/TKXButton.h"
#include "controls/TKXGruppe.h"
#include "tests/dialogs/DialogTest.h"

using namespace dialogtest;
using testsupport::FakeLibrary;
using zalvo::DLLAPI;
using zalvo::EntryPoint;

namespace {

const std::string kGetBIC = "Zalvotech_GetBIC";
constexpr int kBankCode = 0;
constexpr int kBic = 1;
const zalvo::Field kBicBuffer{0, zalvo::kBicBufferSize};

class GetBICDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_fake = std::make_unique<FakeLibrary>();
        ASSERT_EQ(DLLAPI::loadAndBind(), 0);
        m_form = std::make_unique<TGetBICForm>(&m_owner);
        showActive(m_form.get());
    }

    void answer(int32_t result, std::string_view bic) {
        m_fake->script(EntryPoint::GetBIC, result);
        m_fake->scriptText(EntryPoint::GetBIC, kBic, kBicBuffer, bic);
    }

    void lookup(const QString& bankCode) {
        type(field("EBLZ"), bankCode);
        click(button("BOK"));
    }

    zalvo::OwnerWindow owner() const { return ownerHandle(m_form.get()); }
    TKXEdit* field(const char* name) { return find<TKXEdit>(m_form.get(), name); }
    QAbstractButton* button(const char* name) { return find<QAbstractButton>(m_form.get(), name); }

    ControlsTestState m_state;
    std::unique_ptr<FakeLibrary> m_fake;
    dialogtest::OwnerWindow m_owner;
    std::unique_ptr<TGetBICForm> m_form;
};

} // namespace

TEST_F(GetBICDialogTest, FormShowsCaptionsFieldsButtonsAndTabOrder) {
    EXPECT_EQ(m_form->windowTitle(), QStringLiteral("BIC aus BLZ ermitteln"));
    EXPECT_EQ(m_form->accessibleName(), m_form->windowTitle());
    auto* group = find<TKXGruppe>(m_form.get(), "Gruppe1");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral("BIC ermitteln"));

    const FieldSpec fields[] = {
        {"EBLZ", "Bankleitzahl", 8, '9', 111, true},
        {"EBIC", "Ermittelter BIC", 11, 'X', 111, false},
    };
    for (const FieldSpec& fieldSpec : fields) {
        expectField(m_form.get(), fieldSpec);
        EXPECT_TRUE(group->isAncestorOf(field(fieldSpec.name)));
    }
    auto* ok = find<TKXButton>(m_form.get(), "BOK");
    auto* cancel = find<TKXButton>(m_form.get(), "BAbbruch");
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Abbrechen"));
    EXPECT_TRUE(ok->isDefault());
    EXPECT_EQ(cancel->glyphMargin(), 2);
    EXPECT_FALSE(ok->icon().isNull());
    EXPECT_FALSE(cancel->icon().isNull());

    EXPECT_EQ(declaredTabOrder(m_form.get()), QStringList({"EBLZ", "EBIC", "BOK", "BAbbruch"}));
    EXPECT_EQ(tabOrder(field("EBLZ"), 4), QStringList({"EBLZ", "BOK", "BAbbruch", "EBLZ"}));
    EXPECT_EQ(m_form->minimumSize(), m_form->maximumSize());
}

TEST_F(GetBICDialogTest, LookupPassesTheBuffersAndShowsTheBIC) {
    answer(0, "COBADEFFXXX");
    lookup("37040044");

    const auto calls = m_fake->calls();
    ASSERT_EQ(m_fake->callNames(), std::vector<std::string>{kGetBIC});
    EXPECT_EQ(calls[0].buffers.at(kBankCode), padded("37040044", zalvo::kBankCodeBufferSize));
    EXPECT_EQ(calls[0].buffers.at(kBic), std::string(zalvo::kBicBufferSize, '\0'));
    expectMessages({{owner(), kGetBIC, 0}});
    EXPECT_EQ(m_form->bic(), "COBADEFFXXX");
    EXPECT_TRUE(m_form->isVisible());
}

TEST_F(GetBICDialogTest, FailingLookupAfterASuccessfulOneKeepsTheEarlierBIC) {
    answer(0, "COBADEFFXXX");
    lookup("37040044");
    // Whatever the library writes with a non-zero result is not shown.
    answer(-3, "FALSCH");
    lookup("99999999");
    EXPECT_EQ(m_form->bic(), "COBADEFFXXX");
    answer(2, "POSITIV");
    lookup("12345678");
    EXPECT_EQ(m_form->bic(), "COBADEFFXXX");

    expectMessages({{owner(), kGetBIC, 0}, {owner(), kGetBIC, -3}, {owner(), kGetBIC, 2}});
    // A later success replaces it.
    answer(0, "MARKDEF1100");
    lookup("10000000");
    EXPECT_EQ(m_form->bic(), "MARKDEF1100");
}

TEST_F(GetBICDialogTest, EmptyAndBlankBankCodesArePassedAsTheFieldDeliversThem) {
    click(button("BOK"));
    lookup(" 1234 ");
    const auto calls = m_fake->callsTo(EntryPoint::GetBIC);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].buffers.at(kBankCode), std::string(zalvo::kBankCodeBufferSize, '\0'));
    EXPECT_EQ(calls[1].buffers.at(kBankCode), padded("1234", zalvo::kBankCodeBufferSize));
}

TEST_F(GetBICDialogTest, UnterminatedBICIsReadOnlyUpToTheBuffer) {
    m_fake->script(EntryPoint::GetBIC, 0);
    m_fake->scriptWrite(EntryPoint::GetBIC, kBic, 0, "ABCDEFGHIJKL");
    lookup("37040044");
    EXPECT_EQ(m_form->bic(), "ABCDEFGHIJK");
}

TEST_F(GetBICDialogTest, NinthDigitIsRefusedAndEnterLooksUp) {
    answer(0, "COBADEFFXXX");
    type(field("EBLZ"), "370400449");
    EXPECT_EQ(m_state.beeps(), 1);
    pressKey(m_form.get(), Qt::Key_Return);
    ASSERT_EQ(m_fake->callNames(), std::vector<std::string>{kGetBIC});
    EXPECT_EQ(m_fake->calls()[0].buffers.at(kBankCode), padded("37040044", 9));
    EXPECT_EQ(m_form->bic(), "COBADEFFXXX");
    EXPECT_TRUE(m_form->isVisible());
}

TEST_F(GetBICDialogTest, EscapeAndCancelCloseWithoutCallingTheLibrary) {
    type(field("EBLZ"), "37040044");
    pressKey(m_form.get(), Qt::Key_Escape);
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(m_form->result(), QDialog::Rejected);

    TGetBICForm second(&m_owner);
    showActive(&second);
    click(find<QAbstractButton>(&second, "BAbbruch"));
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(second.result(), QDialog::Rejected);
    EXPECT_TRUE(m_fake->calls().empty());
    EXPECT_TRUE(testsupport::messageSink().messages().empty());
}
