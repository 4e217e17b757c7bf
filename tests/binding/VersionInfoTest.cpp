#include "binding/VersionInfo.h"

#include "abi/Record.h"
#include "binding/DLLAPI.h"
#include "tests/support/FakeLibrary.h"
#include "tests/support/RecordingMessageSink.h"

#include <gtest/gtest.h>

using testsupport::FakeLibrary;
using testsupport::FakeVariant;
using zalvo::DLLAPI;
using zalvo::EntryPoint;
using zalvo::VersionInfo;

namespace {

int g_owner;

class VersionInfoTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DLLAPI::loadAndBind(), 0); }

    const testsupport::ShownMessage& only() {
        EXPECT_EQ(m_recorder.messages().size(), 1u);
        return m_recorder.messages().front();
    }

    FakeLibrary m_fake;
    testsupport::ScopedRecordingSink m_recorder;
};

} // namespace

TEST_F(VersionInfoTest, VersionTextFromTheRecord) {
    m_fake.scriptText(EntryPoint::Version, 0, zalvo::version::kDate, "01022018");
    m_fake.scriptText(EntryPoint::Version, 0, zalvo::version::kText, "3.1.4");
    VersionInfo::showVersion(&g_owner);

    const auto& shown = only();
    EXPECT_EQ(shown.text, "Version 3.1.4 vom 01.02.2018.   ");
    EXPECT_EQ(shown.caption, "Erfolg!");
    EXPECT_EQ(shown.icon, zalvo::MessageIcon::Information);
    EXPECT_EQ(shown.owner, &g_owner);

    const auto calls = m_fake.callsTo(EntryPoint::Version);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].buffers.at(0), std::string(zalvo::version::kSize, '\0'));
}

TEST_F(VersionInfoTest, ANegativeResultIsReportedUnderItsNameOtherwiseTheTextIsShown) {
    const struct {
        int32_t result;
        const char* text;
        const char* caption;
    } rows[] = {
        {-5, "Fehler bei der Funktion: Zalvotech_Version\r\n\r\nFehlernummer=-5   ",
         "Fehlermeldung entsprechend der Dokumentation"},
        {-99999999, "Fehler bei der Funktion: Zalvotech_Version\r\n\r\nFehlernummer=-99999999   ",
         "Fehlermeldung entsprechend der Dokumentation"},
        // Not a failure: the composed text, empty fields as zeros.
        {0, "Version  vom 00.00.0000.   ", "Erfolg!"},
        {7, "Version  vom 00.00.0000.   ", "Erfolg!"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.result);
        m_recorder.sink().clear();
        m_fake.script(EntryPoint::Version, row.result);
        VersionInfo::showVersion(&g_owner);
        EXPECT_EQ(only().text, row.text);
        EXPECT_EQ(only().caption, row.caption);
        EXPECT_EQ(only().owner, &g_owner);
    }
}

TEST_F(VersionInfoTest, VersionFieldsWithoutZeroAreReadOnlyToTheirWidth) {
    // A date field filled to its width and a text running to the record's end.
    m_fake.scriptWrite(EntryPoint::Version, 0, 0, std::string(20, '1'));
    m_fake.scriptWrite(EntryPoint::Version, 0, 20, std::string(24, 'v'));
    VersionInfo::showVersion(&g_owner);
    EXPECT_EQ(only().text, "Version " + std::string(24, 'v') + " vom 11.11.1111.   ");
}

TEST_F(VersionInfoTest, ShortDateIsPaddedWithZeros) {
    m_fake.scriptText(EntryPoint::Version, 0, zalvo::version::kDate, "0102");
    VersionInfo::showVersion(&g_owner);
    EXPECT_EQ(only().text, "Version  vom 01.02.0000.   ");
}

TEST_F(VersionInfoTest, InformationTextWithThreeDatesAndCrLf) {
    m_fake.scriptText(EntryPoint::Info, 0, zalvo::info::kParticipantsDate, "05032024");
    m_fake.scriptText(EntryPoint::Info, 0, zalvo::info::kBankCodesFrom, "04032024");
    m_fake.scriptText(EntryPoint::Info, 0, zalvo::info::kBankCodesUntil, "02062024");
    VersionInfo::showInformation(&g_owner);

    const auto& shown = only();
    EXPECT_EQ(shown.text, "Aktualit\xE4t der SEPA-Teilnehmer: 05.03.2024.\r\n\r\n"
                          "G\xFC"
                          "ltigkeit des BLZ-Bestandes: 04.03.2024 bis 02.06.2024   ");
    EXPECT_EQ(shown.caption, "Erfolg!");
    EXPECT_EQ(shown.owner, &g_owner);
    // The longest composed text is 102 characters (plus the three blanks).
    EXPECT_EQ(shown.text.size(), 102u + 3u);

    const auto calls = m_fake.callsTo(EntryPoint::Info);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].buffers.at(0), std::string(zalvo::info::kSize, '\0'));
}

TEST_F(VersionInfoTest, InformationWithEmptyDates) {
    VersionInfo::showInformation(&g_owner);
    EXPECT_EQ(only().text, "Aktualit\xE4t der SEPA-Teilnehmer: 00.00.0000.\r\n\r\n"
                           "G\xFC"
                           "ltigkeit des BLZ-Bestandes: 00.00.0000 bis 00.00.0000   ");
}

TEST_F(VersionInfoTest, InformationFailureShowsOnlyTheCode) {
    m_fake.script(EntryPoint::Info, -2);
    m_fake.scriptText(EntryPoint::Info, 0, zalvo::info::kParticipantsDate, "05032024");
    VersionInfo::showInformation(&g_owner);
    const auto& shown = only();
    EXPECT_EQ(shown.text, "Fehler bei der Funktion: Zalvotech_Info\r\n\r\nFehlernummer=-2   ");
    EXPECT_EQ(shown.icon, zalvo::MessageIcon::Critical);
}

TEST_F(VersionInfoTest, PositiveInformationResultIsShownAsItsCode) {
    m_fake.script(EntryPoint::Info, 1);
    VersionInfo::showInformation(&g_owner);
    // Codes 1 to 128 show the name text as the whole message.
    EXPECT_EQ(only().text, "Zalvotech_Info   ");
}

TEST(VersionInfoUnbound, CommandsOnEmptySlotsReportMinus99998AndCallNothing) {
    testsupport::ScopedRecordingSink recorder;
    FakeLibrary fake(FakeVariant::None);
    ASSERT_EQ(DLLAPI::loadAndBind(), -99998);
    VersionInfo::showVersion(&g_owner);
    VersionInfo::showInformation(&g_owner);
    ASSERT_EQ(recorder.messages().size(), 2u);
    for (const auto& shown : recorder.messages()) {
        EXPECT_EQ(shown.text, "Beim Laden einer Funktion ist ein Fehler aufgetreten.\r\n\r\n"
                              "Bitte informieren Sie den Hersteller!   ");
        EXPECT_EQ(shown.owner, &g_owner);
    }
    EXPECT_TRUE(fake.calls().empty());
}
