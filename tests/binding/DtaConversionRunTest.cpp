#include "binding/DtaConversionRun.h"

#include "abi/RecordLayouts.h"
#include "binding/BusyIndicator.h"
#include "binding/DLLAPI.h"
#include "binding/ResultReporter.h"
#include "platform/FixedClock.h"
#include "platform/ScopedClock.h"
#include "tests/support/FakeLibrary.h"
#include "tests/support/RecordingMessageSink.h"
#include "tests/support/ScriptedFileChooser.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

using testsupport::FakeCall;
using testsupport::FakeLibrary;
using testsupport::FakeVariant;
using testsupport::ScriptedFileChooser;
using zalvo::DLLAPI;
using zalvo::DtaConversionRun;
using zalvo::EntryPoint;
namespace dtainfo = zalvo::dtainfo;
namespace fileheader = zalvo::fileheader;

namespace {

const std::string kSuccess = "Alles verlief erfolgreich!     ";
const std::string kErrorCaption = "Fehlermeldung entsprechend der Dokumentation";
const std::string kCreditPreset = "Überweisungen.xml";
const std::string kDebitPreset = "Lastschriften.xml";

int g_owner;

std::string failure(std::string_view name, int code) {
    return "Fehler bei der Funktion: " + std::string(name) +
           "\r\n\r\nFehlernummer=" + std::to_string(code) + "   ";
}

std::string int32Bytes(int32_t value) {
    std::string bytes(sizeof value, '\0');
    std::memcpy(bytes.data(), &value, sizeof value);
    return bytes;
}

int32_t int32At(const std::string& bytes, std::size_t offset) {
    int32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// Text of a zero-terminated field inside recorded bytes.
std::string textAt(const std::string& bytes, zalvo::Field field) {
    const std::string span = bytes.substr(field.offset, field.width);
    return span.substr(0, span.find('\0'));
}

std::string padded(std::string_view text, std::size_t size) {
    std::string bytes(text);
    bytes.resize(size, '\0');
    return bytes;
}

// Notes every change of the busy sign and every pass of the event loop.
class RecordingBusyIndicator : public zalvo::BusyIndicator {
public:
    void setBusy(bool shown) override {
        changes.push_back(shown);
        busy = shown;
    }
    void letEventsThrough() override { ++eventPasses; }

    bool busy = false;
    std::vector<bool> changes;
    int eventPasses = 0;
};

class DtaConversionRunTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(DLLAPI::loadAndBind(), 0); }

    zalvo::OwnerWindow owner() const { return &g_owner; }

    void run() { DtaConversionRun(owner(), m_dialogs, m_busy).execute(); }

    // One entry GetDTAInfo offers, of the given payment kind.
    void addEntry(int32_t kind) {
        m_fake.script(EntryPoint::GetDTAInfo, zalvo::kResultOk);
        m_fake.scriptWrite(EntryPoint::GetDTAInfo, 0, dtainfo::kPaymentKind.offset,
                           int32Bytes(kind));
    }
    void endOfEntries() { m_fake.script(EntryPoint::GetDTAInfo, zalvo::kNoEntryLeft); }

    void openAnswers(const std::string& name = "/daten/sammler.dta") { m_dialogs.answerOpen(name); }

    std::vector<std::string> names() const { return m_fake.callNames(); }
    const std::vector<testsupport::ShownMessage>& messages() const { return m_recorder.messages(); }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& message : messages()) {
            texts.push_back(message.text);
        }
        return texts;
    }

    // The one message of the run, shown as the reporter shows a result for the owner window.
    void expectOnlyMessage(const std::string& text, int code) {
        ASSERT_EQ(messages().size(), 1u) << ::testing::PrintToString(messageTexts());
        const auto& message = messages().front();
        EXPECT_EQ(message.text, text);
        EXPECT_EQ(message.owner, owner());
        EXPECT_EQ(message.caption, code < 0 ? kErrorCaption : std::string("Erfolg!"));
        EXPECT_EQ(message.icon,
                  code < 0 ? zalvo::MessageIcon::Critical : zalvo::MessageIcon::Information);
    }

    std::vector<std::string> headers() const {
        std::vector<std::string> records;
        for (const FakeCall& call : m_fake.callsTo(EntryPoint::WriteDTAtoXML)) {
            records.push_back(call.buffers.at(0));
        }
        return records;
    }

    FakeLibrary m_fake;
    testsupport::ScopedRecordingSink m_recorder;
    // 27 February 2024, a leap year: +1 and +3 cross into March.
    platform::FixedClock m_clock{{2024, 2, 27, 9, 30, 0}};
    platform::ScopedClock m_pinnedClock{m_clock};
    ScriptedFileChooser m_dialogs;
    RecordingBusyIndicator m_busy;
};

} // namespace

TEST_F(DtaConversionRunTest, CancellingTheOpenDialogCallsOnlyFreeDTAVars) {
    run();
    ASSERT_EQ(m_dialogs.shown().size(), 1u);
    EXPECT_EQ(m_dialogs.shown()[0].kind, ScriptedFileChooser::Kind::Open);
    EXPECT_EQ(m_dialogs.shown()[0].owner, owner());
    EXPECT_EQ(names(), (std::vector<std::string>{"Zalvotech_FreeDTAVars"}));
    EXPECT_TRUE(messages().empty());
}

TEST_F(DtaConversionRunTest, ReadingGetsTheChosenNameAndAZeroedBuffer) {
    openAnswers("/daten/sammler.dta");
    endOfEntries();
    run();
    const auto reads = m_fake.callsTo(EntryPoint::ReadDTA);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].buffers.at(0), padded("/daten/sammler.dta", zalvo::kPathBufferSize));
    EXPECT_EQ(reads[0].buffers.at(1), std::string(zalvo::kReadDTABufferSize, '\0'));
}

TEST_F(DtaConversionRunTest, UmlautsReachTheLibraryAsWindows1252) {
    m_dialogs.answerOpen(std::string("/daten/Überweisung-ß.dta"));
    addEntry(0);
    endOfEntries();
    // The preset taken as it is.
    m_dialogs.answerSave(std::string("/daten/Überweisungen.xml"));
    run();
    const auto reads = m_fake.callsTo(EntryPoint::ReadDTA);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(textAt(reads[0].buffers.at(0), {0, zalvo::kPathBufferSize}), "/daten/\xDC"
                                                                           "berweisung-\xDF.dta");
    ASSERT_EQ(headers().size(), 1u);
    EXPECT_EQ(textAt(headers()[0], fileheader::kFileName), "\xDC"
                                                           "berweisungen.xml");
}

TEST_F(DtaConversionRunTest, OnlyCreditTransfersOfferOneSaveDialogForUeberweisungen) {
    openAnswers();
    addEntry(0);
    addEntry(2); // any kind but 1 is a credit transfer
    endOfEntries();
    m_dialogs.answerSave(std::string("/export/sepa/credit.xml"));
    run();

    EXPECT_EQ(m_dialogs.savePresets(), std::vector<std::string>{kCreditPreset});
    EXPECT_EQ(m_dialogs.shown().back().owner, owner());
    EXPECT_EQ(names(), (std::vector<std::string>{
                           "Zalvotech_ReadDTA", "Zalvotech_GetDTAInfo", "Zalvotech_PutDTAInfo",
                           "Zalvotech_GetDTAInfo", "Zalvotech_PutDTAInfo", "Zalvotech_GetDTAInfo",
                           "Zalvotech_WriteDTAtoXML", "Zalvotech_FreeDTAVars"}));
    std::string expected(fileheader::kSize, '\0');
    expected.replace(0, 12, "/export/sepa");
    expected.replace(260, 10, "credit.xml");
    expected.replace(296, 19, "MessageId1234567890");
    expected.replace(332, 14, "Testeinreicher");
    EXPECT_EQ(headers(), std::vector<std::string>{expected});
    expectOnlyMessage(kSuccess, 0);
}

TEST_F(DtaConversionRunTest, OnlyDirectDebitsOfferOneSaveDialogForLastschriften) {
    openAnswers();
    addEntry(dtainfo::kKindDirectDebit);
    endOfEntries();
    m_dialogs.answerSave(std::string("/export/debit.xml"));
    run();

    EXPECT_EQ(m_dialogs.savePresets(), std::vector<std::string>{kDebitPreset});
    ASSERT_EQ(headers().size(), 1u);
    EXPECT_EQ(int32At(headers()[0], fileheader::kPaymentType.offset), 1);
    EXPECT_EQ(textAt(headers()[0], fileheader::kExportPath), "/export");
    EXPECT_EQ(textAt(headers()[0], fileheader::kFileName), "debit.xml");
    expectOnlyMessage(kSuccess, 0);
}

TEST_F(DtaConversionRunTest, BothKindsWriteTheCreditFileFirstAndAFailedFirstWriteIsNotHidden) {
    openAnswers();
    addEntry(dtainfo::kKindDirectDebit);
    addEntry(0);
    endOfEntries();
    m_dialogs.answerSave(std::string("/export/credit.xml"));
    m_dialogs.answerSave(std::string("/export/debit.xml"));
    // The first write fails, the second succeeds: the closing report of the latest write
    // must not pass the failed credit transfer file off as success.
    m_fake.script(EntryPoint::WriteDTAtoXML, -11);
    m_fake.script(EntryPoint::WriteDTAtoXML, 0);
    run();

    EXPECT_EQ(m_dialogs.savePresets(), (std::vector<std::string>{kCreditPreset, kDebitPreset}));
    const auto written = headers();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(textAt(written[0], fileheader::kFileName), "credit.xml");
    EXPECT_EQ(int32At(written[0], fileheader::kPaymentType.offset), 0);
    EXPECT_EQ(textAt(written[1], fileheader::kFileName), "debit.xml");
    EXPECT_EQ(int32At(written[1], fileheader::kPaymentType.offset), 1);
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{failure("Zalvotech_WriteDTAtoXML", -11), kSuccess}));
    EXPECT_EQ(messages().front().caption, kErrorCaption);
    EXPECT_EQ(names().back(), "Zalvotech_FreeDTAVars");
}

TEST_F(DtaConversionRunTest, BothFilesWrittenWithSuccessGiveTheOneClosingReport) {
    openAnswers();
    addEntry(0);
    addEntry(1);
    endOfEntries();
    m_dialogs.answerSave(std::string("/export/credit.xml"));
    m_dialogs.answerSave(std::string("/export/debit.xml"));
    m_fake.script(EntryPoint::WriteDTAtoXML, 0);
    m_fake.script(EntryPoint::WriteDTAtoXML, -12);
    run();
    EXPECT_EQ(headers().size(), 2u);
    expectOnlyMessage(failure("Zalvotech_WriteDTAtoXML", -12), -12);
}

TEST_F(DtaConversionRunTest, AnEmptyFileReportsMinusThreeUnderWriteDTAtoXML) {
    openAnswers();
    endOfEntries();
    run();
    EXPECT_TRUE(m_dialogs.savePresets().empty());
    EXPECT_EQ(names(), (std::vector<std::string>{"Zalvotech_ReadDTA", "Zalvotech_GetDTAInfo",
                                                 "Zalvotech_FreeDTAVars"}));
    expectOnlyMessage(failure("Zalvotech_WriteDTAtoXML", -3), -3);
}

TEST_F(DtaConversionRunTest, CancellingTheOnlySaveDialogReportsMinusThree) {
    openAnswers();
    addEntry(0);
    endOfEntries();
    run(); // no save answer: cancelled
    EXPECT_EQ(m_dialogs.savePresets(), std::vector<std::string>{kCreditPreset});
    EXPECT_TRUE(headers().empty());
    expectOnlyMessage(failure("Zalvotech_WriteDTAtoXML", -3), -3);
    EXPECT_EQ(names().back(), "Zalvotech_FreeDTAVars");
}

TEST_F(DtaConversionRunTest, WritingTheFirstAndCancellingTheSecondReportsTheFirst) {
    openAnswers();
    addEntry(0);
    addEntry(1);
    endOfEntries();
    m_dialogs.answerSave(std::string("/export/credit.xml"));
    m_dialogs.answerSave(std::nullopt);
    m_fake.script(EntryPoint::WriteDTAtoXML, -11);
    run();
    EXPECT_EQ(m_dialogs.savePresets(), (std::vector<std::string>{kCreditPreset, kDebitPreset}));
    EXPECT_EQ(headers().size(), 1u);
    expectOnlyMessage(failure("Zalvotech_WriteDTAtoXML", -11), -11);
}

TEST_F(DtaConversionRunTest, CancellingTheFirstAndWritingTheSecondReportsTheSecond) {
    openAnswers();
    addEntry(1);
    addEntry(0);
    endOfEntries();
    m_dialogs.answerSave(std::nullopt);
    m_dialogs.answerSave(std::string("/export/debit.xml"));
    m_fake.script(EntryPoint::WriteDTAtoXML, -12);
    run();
    ASSERT_EQ(headers().size(), 1u);
    EXPECT_EQ(int32At(headers()[0], fileheader::kPaymentType.offset), 1);
    expectOnlyMessage(failure("Zalvotech_WriteDTAtoXML", -12), -12);
}

TEST_F(DtaConversionRunTest, TwoFailedHandBacksGiveTwoMessagesAndNoSaveDialog) {
    openAnswers();
    addEntry(0);
    addEntry(1);
    addEntry(0);
    endOfEntries();
    m_fake.script(EntryPoint::PutDTAInfo, -21);
    m_fake.script(EntryPoint::PutDTAInfo, 0);
    m_fake.script(EntryPoint::PutDTAInfo, -22);
    run();

    EXPECT_EQ(messageTexts(), (std::vector<std::string>{failure("Zalvotech_PutDTAInfo", -21),
                                                        failure("Zalvotech_PutDTAInfo", -22)}));
    for (const auto& message : messages()) {
        EXPECT_EQ(message.caption, kErrorCaption);
        EXPECT_EQ(message.owner, owner());
    }
    // Every entry was still handed back; nothing was written.
    EXPECT_EQ(m_fake.callsTo(EntryPoint::PutDTAInfo).size(), 3u);
    EXPECT_EQ(m_fake.callsTo(EntryPoint::GetDTAInfo).size(), 4u);
    EXPECT_TRUE(m_dialogs.savePresets().empty());
    EXPECT_TRUE(headers().empty());
    EXPECT_EQ(names().back(), "Zalvotech_FreeDTAVars");
}

TEST_F(DtaConversionRunTest, AnEntryThatCannotBeReadEndsTheRunWithTheLowerCaseIName) {
    openAnswers();
    addEntry(0);
    m_fake.script(EntryPoint::GetDTAInfo, -8);
    run();
    expectOnlyMessage(failure("Zalvotech_GetDTAinfo", -8), -8);
    EXPECT_EQ(names(), (std::vector<std::string>{"Zalvotech_ReadDTA", "Zalvotech_GetDTAInfo",
                                                 "Zalvotech_PutDTAInfo", "Zalvotech_GetDTAInfo",
                                                 "Zalvotech_FreeDTAVars"}));
    EXPECT_TRUE(m_dialogs.savePresets().empty());
}

TEST_F(DtaConversionRunTest, AFailedReadIsReportedAndOnlyFreeDTAVarsFollows) {
    openAnswers();
    m_fake.script(EntryPoint::ReadDTA, -4);
    run();
    expectOnlyMessage(failure("Zalvotech_ReadDTA", -4), -4);
    EXPECT_EQ(names(), (std::vector<std::string>{"Zalvotech_ReadDTA", "Zalvotech_FreeDTAVars"}));
    EXPECT_TRUE(m_dialogs.savePresets().empty());
}

TEST_F(DtaConversionRunTest, PositiveAnswersOfReadingAndWalkingStopTheRunLikeFailures) {
    const struct {
        EntryPoint entry;
        int32_t result;
        std::string shown;
    } rows[] = {
        {EntryPoint::ReadDTA, 5, "Zalvotech_ReadDTA   "},
        {EntryPoint::GetDTAInfo, 2, "Zalvotech_GetDTAinfo   "},
        {EntryPoint::PutDTAInfo, 200, failure("Zalvotech_PutDTAInfo", 200)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(zalvo::entryPointName(row.entry));
        m_recorder.sink().clear();
        m_fake.reset();
        openAnswers();
        m_fake.script(row.entry, row.result);
        addEntry(0);
        endOfEntries();
        m_dialogs.answerSave(std::string("/export/credit.xml"));
        run();
        expectOnlyMessage(row.shown, row.result);
        EXPECT_TRUE(headers().empty());
        EXPECT_EQ(names().back(), "Zalvotech_FreeDTAVars");
    }
    // Not one save dialog was offered.
    EXPECT_TRUE(m_dialogs.savePresets().empty());
}

TEST_F(DtaConversionRunTest, RecordBytesOfEveryEntry) {
    openAnswers();
    // The library fills the whole record; its bytes must come back unchanged.
    std::string filled(dtainfo::kSize, '\0');
    for (std::size_t i = 0; i < filled.size(); ++i) {
        filled[i] = static_cast<char>(0x80 + i % 0x70);
    }
    for (int32_t kind : {1, 0}) {
        addEntry(kind);
        std::string bytes = filled;
        bytes.replace(dtainfo::kPaymentKind.offset, 4, int32Bytes(kind));
        m_fake.scriptWrite(EntryPoint::GetDTAInfo, 0, 0, bytes);
    }
    // The library counts on in the counter it was given; the run must not reset it.
    m_fake.scriptWrite(EntryPoint::GetDTAInfo, 1, 0, int32Bytes(2));
    endOfEntries();
    run();

    const auto gets = m_fake.callsTo(EntryPoint::GetDTAInfo);
    ASSERT_EQ(gets.size(), 3u);
    for (const FakeCall& get : gets) {
        // Zeroed before every call.
        EXPECT_EQ(get.buffers.at(0), std::string(dtainfo::kSize, '\0'));
    }
    EXPECT_EQ(int32At(gets[0].buffers.at(1), 0), 1);
    EXPECT_EQ(int32At(gets[1].buffers.at(1), 0), 1);
    EXPECT_EQ(int32At(gets[2].buffers.at(1), 0), 2);

    const auto puts = m_fake.callsTo(EntryPoint::PutDTAInfo);
    ASSERT_EQ(puts.size(), 2u);
    std::string debit = filled;
    debit.replace(4, 4, int32Bytes(1));
    debit.replace(112, 9, std::string("01032024\0", 9));
    debit.replace(177, 19, std::string("DE98ZZZ09999999999\0", 19));
    debit.replace(213, 11, std::string("Testmandat\0", 11));
    debit.replace(249, 9, std::string("28012024\0", 9));
    debit.replace(264, 4, int32Bytes(1));
    debit.replace(268, 4, int32Bytes(100));
    EXPECT_EQ(puts[0].buffers.at(0), debit);

    std::string credit = filled;
    credit.replace(4, 4, int32Bytes(0));
    credit.replace(112, 9, std::string("28022024\0", 9));
    EXPECT_EQ(puts[1].buffers.at(0), credit);
}

TEST_F(DtaConversionRunTest, AFileInTheRootDirectoryKeepsTheDelimiter) {
    openAnswers();
    addEntry(0);
    endOfEntries();
    m_dialogs.answerSave(std::string("/x.xml"));
    run();
    ASSERT_EQ(headers().size(), 1u);
    EXPECT_EQ(textAt(headers()[0], fileheader::kExportPath), "/");
    EXPECT_EQ(textAt(headers()[0], fileheader::kFileName), "x.xml");
}

TEST_F(DtaConversionRunTest, A35CharacterFileNameAndALongDirectoryReachTheLibraryWhole) {
    openAnswers();
    addEntry(0);
    endOfEntries();
    const std::string directory = "/" + std::string(120, 'd') + "/" + std::string(133, 'e');
    ASSERT_EQ(directory.size(), 255u);
    const std::string name35 = std::string(31, 'n') + ".xml";
    m_dialogs.answerSave(std::string(directory + "/" + name35));
    run();
    ASSERT_EQ(headers().size(), 1u);
    EXPECT_EQ(textAt(headers()[0], fileheader::kFileName), name35);
    EXPECT_EQ(headers()[0].substr(0, 256), directory + '\0');
    expectOnlyMessage(kSuccess, 0);
}

TEST_F(DtaConversionRunTest, AFileNameOver35CharactersIsRefusedLikeACancelledDialog) {
    const std::string refused = "Der Name der XML-Datei ist l\xE4nger als 35 Zeichen.\r\n\r\n"
                                "Die XML-Datei wurde nicht geschrieben.   ";
    // Cut to 35, this name and its "-Quartal-2.xml" sibling were one file without extension.
    const std::string name44 = "Ueberweisungen-Mitglieder-2024-Quartal-1.xml";
    ASSERT_EQ(name44.size(), 44u);
    openAnswers();
    addEntry(0);
    addEntry(1);
    endOfEntries();
    m_dialogs.answerSave("/export/" + name44);
    m_dialogs.answerSave(std::string("/export/debit.xml"));
    run();
    // The debit file is still offered and written; nothing under another name.
    ASSERT_EQ(headers().size(), 1u);
    EXPECT_EQ(textAt(headers()[0], fileheader::kFileName), "debit.xml");
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{refused, kSuccess}));
    EXPECT_EQ(messages()[0].caption, kErrorCaption);
    EXPECT_EQ(messages()[0].icon, zalvo::MessageIcon::Critical);
    EXPECT_EQ(messages()[0].owner, owner());

    // Alone, it ends the run as a cancelled dialog does: -3 under WriteDTAtoXML. 36 Windows-1252
    // characters are one too many, also when UTF-8 needs more bytes for them.
    m_recorder.sink().clear();
    m_fake.reset();
    openAnswers();
    addEntry(0);
    endOfEntries();
    m_dialogs.answerSave("/export/" + std::string("\xC3\x9C") + std::string(31, 'b') + ".xml");
    run();
    EXPECT_TRUE(headers().empty());
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{refused, failure("Zalvotech_WriteDTAtoXML", -3)}));
    EXPECT_EQ(names().back(), "Zalvotech_FreeDTAVars");
}

TEST_F(DtaConversionRunTest, AnOverlongDtaFileNameIsRefusedAndNothingIsRead) {
    const std::string name = "/" + std::string(251, 'd') + ".dta"; // 256 characters
    openAnswers(name);
    run();
    EXPECT_EQ(names(), (std::vector<std::string>{"Zalvotech_FreeDTAVars"}));
    ASSERT_EQ(messages().size(), 1u);
    const auto& message = messages()[0];
    EXPECT_EQ(message.text, "Der Name der DTA-Datei ist l\xE4nger als 255 Zeichen.\r\n\r\n"
                            "Die DTA-Datei wurde nicht eingelesen.   ");
    EXPECT_EQ(message.caption, kErrorCaption);
    EXPECT_EQ(message.icon, zalvo::MessageIcon::Critical);
    EXPECT_EQ(message.owner, owner());
}

TEST_F(DtaConversionRunTest, A255CharacterDtaFileNameIsPassedWhole) {
    const std::string name = "/" + std::string(250, 'd') + ".dta";
    openAnswers(name);
    endOfEntries();
    run();
    const auto reads = m_fake.callsTo(EntryPoint::ReadDTA);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].buffers.at(0), name + '\0');
}

TEST_F(DtaConversionRunTest, AnOverlongExportDirectoryIsRefusedLikeACancelledDialog) {
    openAnswers();
    addEntry(0);
    addEntry(1);
    endOfEntries();
    const std::string directory = "/" + std::string(255, 'd'); // 256 characters
    m_dialogs.answerSave(std::string(directory + "/credit.xml"));
    m_dialogs.answerSave(std::string("/export/debit.xml"));
    m_fake.script(EntryPoint::WriteDTAtoXML, -13);
    run();

    // The credit file is not written at all; the debit file still is.
    ASSERT_EQ(headers().size(), 1u);
    EXPECT_EQ(int32At(headers()[0], fileheader::kPaymentType.offset), 1);
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{
                  "Das Verzeichnis der XML-Datei ist l\xE4nger als 255 Zeichen.\r\n\r\n"
                  "Die XML-Datei wurde nicht geschrieben.   ",
                  failure("Zalvotech_WriteDTAtoXML", -13)}));
    EXPECT_EQ(messages()[0].caption, kErrorCaption);
    EXPECT_EQ(names().back(), "Zalvotech_FreeDTAVars");
}

TEST_F(DtaConversionRunTest, NamesWithoutAWindows1252FormAreRefused) {
    // "Ω" has no Windows-1252 byte and would reach the library as "?", naming another file.
    m_dialogs.answerOpen(std::string("/daten/Ω.dta"));
    run();
    EXPECT_EQ(names(), (std::vector<std::string>{"Zalvotech_FreeDTAVars"}));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].caption, kErrorCaption);
    EXPECT_NE(messages()[0].text.find("DTA-Datei"), std::string::npos);

    m_recorder.sink().clear();
    m_fake.reset();
    openAnswers();
    addEntry(0);
    endOfEntries();
    m_dialogs.answerSave(std::string("/export/Ω.xml"));
    run();
    EXPECT_TRUE(headers().empty());
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_NE(messages()[0].text.find("XML-Datei"), std::string::npos);
    EXPECT_EQ(messages()[1].text, failure("Zalvotech_WriteDTAtoXML", -3));
}

TEST_F(DtaConversionRunTest, ALongRunIsBusyWhileTheLibraryWorksAndLetsEventsThrough) {
    constexpr int kEntries = 600;
    openAnswers();
    for (int i = 0; i < kEntries; ++i) {
        m_fake.script(EntryPoint::GetDTAInfo, 0);
    }
    endOfEntries();
    m_dialogs.answerSave(std::string("/export/credit.xml"));
    // Dialogs get the normal cursor.
    std::vector<bool> busyInDialog;
    m_dialogs.onShow([&](ScriptedFileChooser::Kind) { busyInDialog.push_back(m_busy.busy); });
    run();

    EXPECT_EQ(busyInDialog, (std::vector<bool>{false, false}));
    // Busy while reading and walking the entries, again while writing, lifted at the end.
    EXPECT_EQ(m_busy.changes, (std::vector<bool>{true, false, true, false}));
    // Every 256 entries, counted in a type that does not overflow after 2^31 entries.
    static_assert(std::numeric_limits<DtaConversionRun::EntryCount>::max() >=
                  std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(m_busy.eventPasses, kEntries / DtaConversionRun::kEntriesPerEventPass);
    EXPECT_EQ(m_fake.callsTo(EntryPoint::PutDTAInfo).size(), static_cast<std::size_t>(kEntries));
    expectOnlyMessage(kSuccess, 0);
}

TEST_F(DtaConversionRunTest, MessagesDuringTheEntriesAreShownWithoutTheBusySign) {
    // A sink that notes the busy sign, in front of the recording one.
    struct BusyNotingSink : zalvo::MessageSink {
        BusyNotingSink(const RecordingBusyIndicator& indicator, zalvo::MessageSink& next)
            : busyIndicator(indicator), recorder(next) {}
        void show(zalvo::OwnerWindow window, std::string_view caption, std::string_view text,
                  zalvo::MessageIcon icon, std::string_view description) override {
            busy.push_back(busyIndicator.busy);
            recorder.show(window, caption, text, icon, description);
        }
        const RecordingBusyIndicator& busyIndicator;
        zalvo::MessageSink& recorder;
        std::vector<bool> busy;
    } sink(m_busy, m_recorder.sink());
    zalvo::ResultReporter::setSink(&sink);
    openAnswers();
    addEntry(0);
    addEntry(0);
    endOfEntries();
    m_fake.script(EntryPoint::PutDTAInfo, -21);
    m_fake.script(EntryPoint::PutDTAInfo, -22);
    run();
    // The run puts back the sink it found.
    EXPECT_EQ(zalvo::ResultReporter::sink(), &sink);
    zalvo::ResultReporter::setSink(&m_recorder.sink());
    EXPECT_EQ(sink.busy, (std::vector<bool>{false, false}));
    EXPECT_EQ(messages().size(), 2u);
    // Lifted for each message, shown again for the next entry, lifted at the end.
    EXPECT_EQ(m_busy.changes, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST_F(DtaConversionRunTest, EmptySlotsAreNeverCalled) {
    // A library without any entry point counts as loaded after the failed bind.
    FakeLibrary empty(FakeVariant::None);
    DLLAPI::reset();
    ASSERT_EQ(DLLAPI::loadAndBind(), zalvo::kEntryPointMissing);
    openAnswers();
    run();
    EXPECT_TRUE(empty.calls().empty());
    const std::string missing = "Beim Laden einer Funktion ist ein Fehler aufgetreten.\r\n\r\n"
                                "Bitte informieren Sie den Hersteller!   ";
    // ReadDTA cannot be called, and neither can FreeDTAVars.
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{missing, missing}));
}

TEST_F(DtaConversionRunTest, TheRunCanBeRepeatedAndLeavesNothingBehind) {
    openAnswers();
    addEntry(1);
    endOfEntries();
    m_dialogs.answerSave(std::string("/export/debit.xml"));
    run();
    // The second run: only credit transfers, so the debit flag must not survive.
    openAnswers();
    addEntry(0);
    endOfEntries();
    m_dialogs.answerSave(std::string("/export/credit.xml"));
    run();
    EXPECT_EQ(m_dialogs.savePresets(), (std::vector<std::string>{kDebitPreset, kCreditPreset}));
    ASSERT_EQ(headers().size(), 2u);
    EXPECT_EQ(int32At(headers()[1], fileheader::kPaymentType.offset), 0);
    EXPECT_EQ(messageTexts(), (std::vector<std::string>{kSuccess, kSuccess}));
}
