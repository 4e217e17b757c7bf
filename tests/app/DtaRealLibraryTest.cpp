// The DTA run of the main window with the stand-in library itself, not the fake: a copy of
// Zalvotech.dll in the current directory, initialised with empty paths, a DTA file with
// both payment kinds converted into two SEPA files that must validate.
#include "abi/RecordLayouts.h"
#include "app/TDemoForm.h"
#include "binding/DLLAPI.h"
#include "helpers/DateHelpers.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/app/MenuClick.h"
#include "tests/app/ScriptedMainWindow.h"
#include "tests/paylib/SchemaCheck.h"
#include "tests/paylib/dta/DtaTestWriter.h"
#include "tests/support/GuiTest.h"
#include "tests/support/RealDay.h"
#include "tests/support/TempDirectory.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using testsupport::messageSink;
using testsupport::ScriptedFileChooser;
using zalvo::DLLAPI;
using zalvo::EntryPoint;
namespace fs = std::filesystem;

namespace {

class DtaRealLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::copy_file(ZALVO_LIBRARY_FILE, m_temp.path() / "Zalvotech.dll");
        ASSERT_EQ(DLLAPI::loadAndBind(), 0);
        std::string empty(zalvo::kPathBufferSize, '\0');
        ASSERT_EQ(DLLAPI::bound<EntryPoint::Init>()(empty.data(), empty.data(), empty.data(), 0),
                  0);
        m_form = testsupport::showMainWindow(m_dialogs);
    }

    void TearDown() override {
        if (DLLAPI::loaded()) {
            DLLAPI::bound<EntryPoint::Free>()();
        }
    }

    // "XML-Datei" > "DTA nach XML umsetzen" with the mouse.
    void runFromMenu() { testsupport::clickMenuItem(m_form.get(), "MXML", "MDTA"); }

    fs::path writeDta(const std::vector<dtatest::LogicalFile>& files) {
        const fs::path file = m_temp.path() / "sammler.dta";
        std::ofstream(file, std::ios::binary) << dtatest::write(files);
        return file;
    }

    testsupport::TempDirectory m_temp;
    // The real day: the library refuses dates in the past by its own clock. (Dates that
    // cross into March of a leap year are tested on the library's core.)
    platform::FixedClock m_clock{testsupport::realDay(9, 30)};
    platform::ScopedClock m_pinnedClock{m_clock};
    std::unique_ptr<TDemoForm> m_form;
    ScriptedFileChooser* m_dialogs = nullptr;
};

dtatest::LogicalFile credits() {
    dtatest::LogicalFile file;
    dtatest::Payment a;
    a.bankCode = 50010517;
    a.account = 648489890;
    a.cents = 150000;
    a.name = "M]LLER WOHNBAU";
    a.purposes = {"MIETE M[RZ 2024"};
    dtatest::Payment b = a;
    b.bankCode = 10010010;
    b.account = 6820101;
    b.cents = 4711;
    b.name = "STADTWERKE";
    file.payments = {a, b};
    return file;
}

dtatest::LogicalFile debits() {
    dtatest::LogicalFile file;
    file.kind = "LK";
    dtatest::Payment p;
    p.bankCode = 20050550;
    p.account = 1015871393;
    p.cents = 2500;
    p.name = "MITGLIED EINS";
    p.purposes = {"BEITRAG 2024"};
    file.payments = {p};
    return file;
}

} // namespace

TEST_F(DtaRealLibraryTest, ConvertsBothKindsIntoValidSepaFiles) {
    const fs::path creditFile = m_temp.path() / "ueberweisungen.xml";
    const fs::path debitFile = m_temp.path() / "lastschriften.xml";
    m_dialogs->answerOpen(writeDta({credits(), debits()}).string());
    m_dialogs->answerSave(creditFile.string());
    m_dialogs->answerSave(debitFile.string());
    runFromMenu();

    EXPECT_EQ(m_dialogs->savePresets(),
              (std::vector<std::string>{"Überweisungen.xml", "Lastschriften.xml"}));
    ASSERT_EQ(messageSink().messages().size(), 1u);
    EXPECT_EQ(messageSink().messages().front().text, "Alles verlief erfolgreich!     ");
    ASSERT_TRUE(schemacheck::validates(creditFile, "pain.001.001.09.xsd"));
    ASSERT_TRUE(schemacheck::validates(debitFile, "pain.008.001.08.xsd"));

    const std::string creditXml = schemacheck::contents(creditFile);
    EXPECT_NE(creditXml.find("<NbOfTxs>2</NbOfTxs>"), std::string::npos);
    EXPECT_NE(creditXml.find("<CtrlSum>1547.11</CtrlSum>"), std::string::npos);
    const std::int32_t today = Today();
    EXPECT_NE(creditXml.find("<Dt>" + testsupport::isoDate(today + 1) + "</Dt>"),
              std::string::npos);
    EXPECT_NE(creditXml.find("DE12500105170648489890"), std::string::npos);
    EXPECT_NE(creditXml.find("M\xC3\x9CLLER WOHNBAU"), std::string::npos);
    EXPECT_NE(creditXml.find("MIETE M\xC3\x84RZ 2024"), std::string::npos);
    EXPECT_NE(creditXml.find("<MsgId>MessageId1234567890</MsgId>"), std::string::npos);
    const std::string debitXml = schemacheck::contents(debitFile);
    EXPECT_NE(debitXml.find("<ReqdColltnDt>" + testsupport::isoDate(today + 3) + "</ReqdColltnDt>"),
              std::string::npos);
    EXPECT_NE(debitXml.find("<DtOfSgntr>" + testsupport::isoDate(today - 30) + "</DtOfSgntr>"),
              std::string::npos);
    EXPECT_NE(debitXml.find("<MndtId>Testmandat</MndtId>"), std::string::npos);
    EXPECT_NE(debitXml.find("DE98ZZZ09999999999"), std::string::npos);
    EXPECT_NE(debitXml.find("DE02200505501015871393"), std::string::npos);
}

TEST_F(DtaRealLibraryTest, AMalformedFileIsReportedUnderReadDTA) {
    std::string bytes = dtatest::write(credits());
    bytes.resize(bytes.size() - 1);
    const fs::path file = m_temp.path() / "kaputt.dta";
    std::ofstream(file, std::ios::binary) << bytes;
    m_dialogs->answerOpen(file.string());
    runFromMenu();

    EXPECT_TRUE(m_dialogs->savePresets().empty());
    ASSERT_EQ(messageSink().messages().size(), 1u);
    EXPECT_EQ(messageSink().messages().front().text,
              "Fehler bei der Funktion: Zalvotech_ReadDTA\r\n\r\nFehlernummer=-505   ");
}
