// The DTA run with the stand-in library on the DTAUS sample files, through the menu with
// scripted file dialogs: the flow the sample's content calls for, and the XML it leaves.
#include "abi/RecordLayouts.h"
#include "app/TDemoForm.h"
#include "binding/DLLAPI.h"
#include "helpers/DateHelpers.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/app/MenuClick.h"
#include "tests/app/ScriptedMainWindow.h"
#include "tests/paylib/SchemaCheck.h"
#include "tests/support/DtaSamples.h"
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

const fs::path kSamples = ZALVO_DTA_SAMPLES;

// A bank of the shipped table that checks no account digits, moved to another bank code.
std::string bankLine(std::string_view bankCode, std::string_view recordNumber) {
    std::ifstream table(ZALVO_BLZ_EXTRACT);
    std::string line;
    while (std::getline(table, line)) {
        if (line.compare(0, 8, "51230800") == 0) {
            line.replace(0, 8, bankCode);
            line.replace(152, 6, recordNumber);
            return line;
        }
    }
    ADD_FAILURE() << "no model bank";
    return {};
}

// The shipped table plus the banks of the samples, which it does not know.
fs::path dataDirectoryWithSampleBanks(const fs::path& folder) {
    fs::create_directory(folder);
    fs::copy_file(ZALVO_BLZ_EXTRACT, folder / "blz_20240101.txt");
    std::ofstream table(folder / "blz_20240101.txt", std::ios::app | std::ios::binary);
    const std::pair<const char*, const char*> banks[] = {{"33334444", "900001"},
                                                         {"16050000", "900002"},
                                                         {"11111111", "900003"},
                                                         {"22222222", "900004"},
                                                         {"55555555", "900005"}};
    for (const auto& [bankCode, recordNumber] : banks) {
        table << bankLine(bankCode, recordNumber) << "\r\n";
    }
    return folder;
}

class DtaSampleRunTest : public ::testing::Test {
protected:
    void SetUp() override {
        ZALVO_REQUIRE_DTA_SAMPLES();
        fs::copy_file(ZALVO_LIBRARY_FILE, m_temp.path() / "Zalvotech.dll");
        ASSERT_EQ(DLLAPI::loadAndBind(), 0);
        std::string data = dataDirectoryWithSampleBanks(m_temp.path() / "daten").string();
        data.resize(zalvo::kPathBufferSize, '\0');
        std::string empty(zalvo::kPathBufferSize, '\0');
        ASSERT_EQ(DLLAPI::bound<EntryPoint::Init>()(data.data(), empty.data(), empty.data(), 0), 0);
        m_form = testsupport::showMainWindow(m_dialogs);
    }

    void TearDown() override {
        if (DLLAPI::loaded()) {
            DLLAPI::bound<EntryPoint::Free>()();
        }
    }

    void runFromMenu() { testsupport::clickMenuItem(m_form.get(), "MXML", "MDTA"); }

    // A copy of the sample in the test's folder, under a name with an umlaut.
    std::string sample(const char* name) {
        const fs::path copy = m_temp.path() / (std::string("Sammler-ü-") + name);
        fs::copy_file(kSamples / name, copy);
        return copy.string();
    }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : messageSink().messages()) {
            texts.push_back(message.text);
        }
        return texts;
    }

    testsupport::TempDirectory m_temp;
    // The real day: the library refuses dates in the past by its own clock.
    platform::FixedClock m_clock{testsupport::realDay(9, 30)};
    platform::ScopedClock m_pinnedClock{m_clock};
    std::unique_ptr<TDemoForm> m_form;
    ScriptedFileChooser* m_dialogs = nullptr;
};

} // namespace

TEST_F(DtaSampleRunTest, TwoCreditTransfersBecomeOneValidCreditTransferFile) {
    // The preset name as the save dialog offers it, in a folder whose name has an umlaut.
    const fs::path folder = m_temp.path() / "Ausgabe-\xC3\xA4";
    fs::create_directory(folder);
    const fs::path xml = folder / "\xC3\x9C"
                                  "berweisungen.xml";
    m_dialogs->answerOpen(sample("pear_show_dta_gk_two_credits.dta"));
    m_dialogs->answerSave(xml.string());
    runFromMenu();

    EXPECT_EQ(m_dialogs->savePresets(), std::vector<std::string>{"Überweisungen.xml"});
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Alles verlief erfolgreich!     "});
    ASSERT_TRUE(fs::exists(xml));
    EXPECT_TRUE(schemacheck::validates(xml, "pain.001.001.09.xsd"));
    const std::string contents = schemacheck::contents(xml);
    EXPECT_NE(contents.find("<NbOfTxs>2</NbOfTxs>"), std::string::npos);
    EXPECT_NE(contents.find("<CtrlSum>1556.46</CtrlSum>"), std::string::npos);
    EXPECT_NE(contents.find("<Dt>" + testsupport::isoDate(Today() + 1) + "</Dt>"),
              std::string::npos);
}

TEST_F(DtaSampleRunTest, AFileWithoutEntriesOffersNoSaveDialog) {
    m_dialogs->answerOpen(sample("dtaus0_valid_header_and_checksum.dta"));
    runFromMenu();
    EXPECT_TRUE(m_dialogs->savePresets().empty());
    ASSERT_EQ(messageSink().messages().size(), 1u);
    EXPECT_EQ(messageSink().messages()[0].text,
              "Fehler bei der Funktion: Zalvotech_WriteDTAtoXML\r\n\r\nFehlernummer=-3   ");
    EXPECT_EQ(messageSink().messages()[0].caption, "Fehlermeldung entsprechend der Dokumentation");
}

TEST_F(DtaSampleRunTest, ADirectDebitFileBecomesAValidDirectDebitFile) {
    const fs::path xml = m_temp.path() / "Lastschriften.xml";
    m_dialogs->answerOpen(sample("dtaus0_valid_header_checksum_and_transaction.dta"));
    m_dialogs->answerSave(xml.string());
    runFromMenu();
    EXPECT_EQ(m_dialogs->savePresets(), std::vector<std::string>{"Lastschriften.xml"});
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"Alles verlief erfolgreich!     "});
    ASSERT_TRUE(fs::exists(xml));
    EXPECT_TRUE(schemacheck::validates(xml, "pain.008.001.08.xsd"));
    // What the run filled in: today + 3, the test mandate signed today - 30, the creditor id.
    const std::string contents = schemacheck::contents(xml);
    EXPECT_NE(
        contents.find("<ReqdColltnDt>" + testsupport::isoDate(Today() + 3) + "</ReqdColltnDt>"),
        std::string::npos);
    EXPECT_NE(contents.find("<MndtId>Testmandat</MndtId>"), std::string::npos);
    EXPECT_NE(contents.find("<DtOfSgntr>" + testsupport::isoDate(Today() - 30) + "</DtOfSgntr>"),
              std::string::npos);
    EXPECT_NE(contents.find("DE98ZZZ09999999999"), std::string::npos);
    EXPECT_NE(contents.find("<InitgPty><Nm>Testeinreicher</Nm>"), std::string::npos);
}
