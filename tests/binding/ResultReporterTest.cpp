#include "binding/ResultReporter.h"

#include "tests/support/RecordingMessageSink.h"

#include <climits>
#include <gtest/gtest.h>

using testsupport::ScopedRecordingSink;
using zalvo::MessageIcon;
using zalvo::ResultReporter;

namespace {

const std::string kSuccess = "Erfolg!";
const std::string kFailure = "Fehlermeldung entsprechend der Dokumentation";

int g_ownerA;
int g_ownerB;

class ResultReporterTest : public ::testing::Test {
protected:
    const testsupport::ShownMessage& only() {
        EXPECT_EQ(m_recorder.messages().size(), 1u);
        return m_recorder.messages().front();
    }
    ScopedRecordingSink m_recorder;
};

} // namespace

TEST_F(ResultReporterTest, SuccessShowsFiveBlanksInAll) {
    ResultReporter::report(&g_ownerA, "Zalvotech_ConvertBLZKonto", 0);
    const auto& shown = only();
    EXPECT_EQ(shown.text, "Alles verlief erfolgreich!     ");
    EXPECT_EQ(shown.caption, kSuccess);
    EXPECT_EQ(shown.icon, MessageIcon::Information);
    EXPECT_EQ(shown.owner, &g_ownerA);
}

TEST_F(ResultReporterTest, CodesOneTo128ShowTheNameTextAsIs) {
    ResultReporter::report(&g_ownerB, "Zalvotech_GetBIC", 5);
    ResultReporter::report(&g_ownerB, "Version 1.0 vom 01.02.2018.", 1);
    ResultReporter::report(&g_ownerB, "a\r\n\r\nb", 128);
    ASSERT_EQ(m_recorder.messages().size(), 3u);
    EXPECT_EQ(m_recorder.messages()[0].text, "Zalvotech_GetBIC   ");
    EXPECT_EQ(m_recorder.messages()[1].text, "Version 1.0 vom 01.02.2018.   ");
    EXPECT_EQ(m_recorder.messages()[2].text, "a\r\n\r\nb   ");
    for (const auto& shown : m_recorder.messages()) {
        EXPECT_EQ(shown.caption, kSuccess);
        EXPECT_EQ(shown.icon, MessageIcon::Information);
        EXPECT_EQ(shown.owner, &g_ownerB);
    }
}

TEST_F(ResultReporterTest, PositiveCodeAbove128IsAnErrorTextUnderTheSuccessCaption) {
    ResultReporter::report(&g_ownerA, "Zalvotech_GetBIC", 129);
    const auto& shown = only();
    EXPECT_EQ(shown.text, "Fehler bei der Funktion: Zalvotech_GetBIC\r\n\r\nFehlernummer=129   ");
    EXPECT_EQ(shown.caption, kSuccess);
    EXPECT_EQ(shown.icon, MessageIcon::Information);
}

TEST_F(ResultReporterTest, NegativeLibraryCodeUsesTheErrorCaptionAndIcon) {
    ResultReporter::report(&g_ownerB, "Zalvotech_WriteDTAtoXML", -3);
    const auto& shown = only();
    EXPECT_EQ(shown.text,
              "Fehler bei der Funktion: Zalvotech_WriteDTAtoXML\r\n\r\nFehlernummer=-3   ");
    EXPECT_EQ(shown.caption, kFailure);
    EXPECT_EQ(shown.icon, MessageIcon::Critical);
    EXPECT_EQ(shown.owner, &g_ownerB);
}

TEST_F(ResultReporterTest, BindingFailuresHaveTheirOwnTexts) {
    ResultReporter::report(&g_ownerA, "Zalvotech_Init", -99999);
    ResultReporter::report(&g_ownerA, "Zalvotech_GetDTAProtokoll", -99998);
    ResultReporter::report(&g_ownerA, "ignored name", -99997);
    ASSERT_EQ(m_recorder.messages().size(), 3u);
    EXPECT_EQ(m_recorder.messages()[0].text,
              "Die DLL Zalvotech.dll konnte nicht erfolgreich geladen werden!\r\n\r\n"
              "Sie ist m\xF6"
              "glicherweise nicht vorhanden, oder nicht im aktuellen Verzeichnis.   ");
    EXPECT_EQ(m_recorder.messages()[1].text,
              "Beim Laden einer Funktion ist ein Fehler aufgetreten.\r\n\r\n"
              "Bitte informieren Sie den Hersteller!   ");
    EXPECT_EQ(m_recorder.messages()[2].text,
              "Die API (Zalvotech.dll) wurde noch nicht geladen!\r\n\r\n"
              "Bitte rufen Sie zuerst die Funktion Zalvotech_init auf.   ");
    for (const auto& shown : m_recorder.messages()) {
        EXPECT_EQ(shown.caption, kFailure);
        EXPECT_EQ(shown.icon, MessageIcon::Critical);
    }
}

TEST_F(ResultReporterTest, CodesThatDoNotFitTenCharactersShowTheFiller) {
    EXPECT_EQ(ResultReporter::text("F", -999999999),
              "Fehler bei der Funktion: F\r\n\r\nFehlernummer=-999999999   ");
    EXPECT_EQ(ResultReporter::text("F", -1000000000),
              "Fehler bei der Funktion: F\r\n\r\nFehlernummer=$$$$$$$$$$   ");
    EXPECT_EQ(ResultReporter::text("F", INT32_MIN),
              "Fehler bei der Funktion: F\r\n\r\nFehlernummer=$$$$$$$$$$   ");
    EXPECT_EQ(ResultReporter::text("F", INT32_MAX),
              "Fehler bei der Funktion: F\r\n\r\nFehlernummer=2147483647   ");
    // Codes close to the binding's own are ordinary library codes.
    EXPECT_EQ(ResultReporter::text("F", -99996),
              "Fehler bei der Funktion: F\r\n\r\nFehlernummer=-99996   ");
}

TEST_F(ResultReporterTest, EmptyNameWithAnOrdinaryCode) {
    EXPECT_EQ(ResultReporter::text("", -1), "Fehler bei der Funktion: \r\n\r\nFehlernummer=-1   ");
    EXPECT_EQ(ResultReporter::text("", 1), "   ");
}

TEST_F(ResultReporterTest, TextIsCutToItsThousandByteBuffer) {
    const std::string longName(1200, 'n');
    const std::string text = ResultReporter::text(longName, 7);
    EXPECT_EQ(text, std::string(999, 'n'));
}

TEST_F(ResultReporterTest, NothingIsShownWithoutASink) {
    ResultReporter::setSink(nullptr);
    ResultReporter::report(nullptr, "Zalvotech_Free", 0);
    ResultReporter::setSink(&m_recorder.sink());
    EXPECT_TRUE(m_recorder.messages().empty());
}
