// The DTA entry points as the program uses them: a copy of Zalvotech.dll in the current
// directory, loaded by its plain name, its exports called through the C boundary.
#include "abi/EntryPoints.h"
#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "helpers/DateHelpers.h"
#include "paylib/ResultCodes.h"
#include "paylib/dta/DtaInfoRecord.h"
#include "platform/DynamicLibrary.h"
#include "tests/paylib/SchemaCheck.h"
#include "tests/paylib/dta/DtaTestWriter.h"
#include "tests/support/DtaSamples.h"
#include "tests/support/RealDay.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

using zalvo::EntryPoint;
using zalvo::EntryPointFn;
using zalvo::Record;
namespace result = paylib::result;
namespace info = paylib::dtainfo;
namespace fs = std::filesystem;

namespace {

// Dates relative to today: the loaded library judges them by the real clock.
constexpr int kCollectionDays = 5;
constexpr int kExecutionDays = 3;
constexpr int kMandateDays = -30;

// One copy of the library for the whole suite: the program, too, loads it once and never
// unloads it.
class Library {
public:
    Library() {
        fs::copy_file(ZALVO_LIBRARY_FILE, m_folder.path() / "Zalvotech.dll");
        m_module = platform::DynamicLibrary::open("Zalvotech.dll");
    }

    void* module() const { return m_module; }
    const fs::path& folder() const { return m_folder.path(); }

    template <EntryPoint E> EntryPointFn<E> fn() const {
        return reinterpret_cast<EntryPointFn<E>>(
            platform::DynamicLibrary::symbol(m_module, zalvo::entryPointName(E)));
    }

private:
    testsupport::TempDirectory m_folder;
    void* m_module = nullptr;
};

Library* g_library = nullptr;

class DtaExportsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { g_library = new Library; }
    static void TearDownTestSuite() {
        delete g_library;
        g_library = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(g_library->module(), nullptr) << platform::DynamicLibrary::lastError();
        ASSERT_EQ(init(), 0);
    }
    void TearDown() override {
        fn<EntryPoint::FreeDTAVars>()();
        fn<EntryPoint::Free>()();
    }

    template <EntryPoint E> static EntryPointFn<E> fn() {
        auto f = g_library->fn<E>();
        EXPECT_NE(f, nullptr) << zalvo::entryPointName(E);
        return f;
    }

    static std::int32_t init() {
        Record path(zalvo::kPathBufferSize);
        return fn<EntryPoint::Init>()(path.data(), path.data(), path.data(), 0);
    }

    std::int32_t readDta(const fs::path& file) {
        Record name(zalvo::kPathBufferSize);
        name.putText(0, zalvo::kMaxPathChars, file.string());
        Record buffer(zalvo::kReadDTABufferSize);
        return fn<EntryPoint::ReadDTA>()(name.data(), buffer.data());
    }

    fs::path writeDta(const std::string& bytes, const std::string& name = "input.dta") {
        const fs::path file = m_temp.path() / name;
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
        return file;
    }

    struct Walk {
        int credits = 0;
        int debits = 0;
        std::int32_t end = 0;
    };

    // The front end's loop: a zeroed record per call, the counter set to 1 once, every entry
    // completed with test values and handed back.
    Walk walk() {
        Walk seen;
        Record record(info::kSize);
        std::int32_t counter = 1;
        for (;;) {
            record.zero();
            const std::int32_t rc = fn<EntryPoint::GetDTAInfo>()(record.data(), &counter);
            if (rc != 0) {
                seen.end = rc;
                break;
            }
            if (record.int32(zalvo::dtainfo::kPaymentKind) == zalvo::dtainfo::kKindDirectDebit) {
                record.putText(zalvo::dtainfo::kExecutionDate,
                               DateToDigits(Today() + kCollectionDays));
                record.putText(zalvo::dtainfo::kCreditorId, "DE98ZZZ09999999999");
                record.putText(zalvo::dtainfo::kMandateReference, "Testmandat");
                record.putText(zalvo::dtainfo::kMandateDate, DateToDigits(Today() + kMandateDays));
                record.putInt32(zalvo::dtainfo::kFirstDebitSetting,
                                zalvo::dtainfo::kFirstDebitValue);
                record.putInt32(zalvo::dtainfo::kSecondDebitSetting,
                                zalvo::dtainfo::kSecondDebitValue);
                ++seen.debits;
            } else {
                record.putText(zalvo::dtainfo::kExecutionDate,
                               DateToDigits(Today() + kExecutionDays));
                ++seen.credits;
            }
            EXPECT_EQ(fn<EntryPoint::PutDTAInfo>()(record.data()), 0);
        }
        EXPECT_EQ(counter, 1);
        return seen;
    }

    std::int32_t writeXml(std::int32_t type, const std::string& fileName) {
        Record header(zalvo::fileheader::kSize);
        header.putText(zalvo::fileheader::kExportPath, m_temp.path().string());
        header.putInt32(zalvo::fileheader::kPaymentType, type);
        header.putText(zalvo::fileheader::kFileName, fileName);
        header.putText(zalvo::fileheader::kMessageId, "MessageId1234567890");
        header.putText(zalvo::fileheader::kInitiatingParty, "Testeinreicher");
        return fn<EntryPoint::WriteDTAtoXML>()(header.data());
    }

    static std::string protocol() {
        const auto get = fn<EntryPoint::GetDTAProtokoll>();
        char probe[1];
        const std::int32_t length = get(probe, 1);
        if (length < 0) {
            return "(no protocol: " + std::to_string(length) + ")";
        }
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        get(text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        return text;
    }

    testsupport::TempDirectory m_temp;
};

dtatest::LogicalFile creditFile() {
    dtatest::LogicalFile file;
    dtatest::Payment a;
    a.bankCode = 50010517;
    a.account = 648489890;
    a.originatorBankCode = 10010010;
    a.originatorAccount = 6820101;
    a.cents = 123456;
    a.name = "GR~NER & S\\HNE";
    a.purposes = {"RECHNUNG 2025-001", "VIELEN DANK"};
    dtatest::Payment b = a;
    b.bankCode = 20050550;
    b.account = 1015871393;
    b.cents = 1;
    b.name = "HAMBURGER KUNDE";
    b.nameContinued = "GMBH UND CO KG";
    file.payments = {a, b};
    return file;
}

dtatest::LogicalFile debitFile() {
    dtatest::LogicalFile file;
    file.kind = "LK";
    dtatest::Payment p;
    p.bankCode = 12030000;
    p.account = 202051;
    p.originatorBankCode = 50010517;
    p.originatorAccount = 137075030;
    p.originatorName = "VEREIN E.V.";
    p.originatorNameContinued = "ABTEILUNG BEITR[GE";
    p.cents = 4200;
    p.name = "MITGLIED EINS";
    p.purposes = {"BEITRAG 2026"};
    file.payments = {p};
    return file;
}

} // namespace

TEST_F(DtaExportsTest, ConvertsAFileWithBothKindsIntoTwoValidSepaFiles) {
    ASSERT_EQ(readDta(writeDta(dtatest::write({creditFile(), debitFile()}))), 0) << protocol();
    const Walk seen = walk();
    EXPECT_EQ(seen.credits, 2);
    EXPECT_EQ(seen.debits, 1);
    EXPECT_EQ(seen.end, zalvo::kNoEntryLeft);
    ASSERT_EQ(writeXml(zalvo::fileheader::kCreditTransfer, "Ueberweisungen.xml"), 0) << protocol();
    ASSERT_EQ(writeXml(zalvo::fileheader::kDirectDebit, "Lastschriften.xml"), 0) << protocol();

    const fs::path credits = m_temp.path() / "Ueberweisungen.xml";
    const fs::path debits = m_temp.path() / "Lastschriften.xml";
    EXPECT_TRUE(schemacheck::validates(credits, "pain.001.001.09.xsd"));
    EXPECT_TRUE(schemacheck::validates(debits, "pain.008.001.08.xsd"));
    const std::string creditXml = schemacheck::contents(credits);
    EXPECT_NE(creditXml.find("<CtrlSum>1234.57</CtrlSum>"), std::string::npos);
    EXPECT_NE(creditXml.find("DE12500105170648489890"), std::string::npos);
    EXPECT_NE(creditXml.find("INGDDEFFXXX"), std::string::npos);
    EXPECT_NE(creditXml.find("DE02200505501015871393"), std::string::npos);
    EXPECT_NE(creditXml.find("HASPDEHHXXX"), std::string::npos);
    EXPECT_NE(creditXml.find("DE02100100100006820101"), std::string::npos); // debtor
    EXPECT_NE(creditXml.find("GR\xC3\x9FNER &amp; S\xC3\x96HNE"), std::string::npos);
    EXPECT_NE(creditXml.find("HAMBURGER KUNDE GMBH UND CO KG"), std::string::npos);
    EXPECT_NE(creditXml.find("RECHNUNG 2025-001 VIELEN DANK"), std::string::npos);
    const std::string debitXml = schemacheck::contents(debits);
    EXPECT_NE(debitXml.find("DE02120300000000202051"), std::string::npos);
    EXPECT_NE(debitXml.find("DE02500105170137075030"), std::string::npos); // creditor
    EXPECT_NE(debitXml.find("ABTEILUNG BEITR\xC3\x84GE"), std::string::npos);
    EXPECT_NE(debitXml.find("<SeqTp>FRST</SeqTp>"), std::string::npos);
    EXPECT_NE(debitXml.find("<ReqdColltnDt>" + testsupport::isoDate(Today() + kCollectionDays) +
                            "</ReqdColltnDt>"),
              std::string::npos);

    EXPECT_EQ(fn<EntryPoint::FreeDTAVars>()(), 0);
    Record record(info::kSize);
    std::int32_t counter = 1;
    EXPECT_EQ(fn<EntryPoint::GetDTAInfo>()(record.data(), &counter), result::kNothingRead);
}

TEST_F(DtaExportsTest, ConvertsFilesOfOneKindOnly) {
    ASSERT_EQ(readDta(writeDta(dtatest::write(creditFile()))), 0);
    EXPECT_EQ(walk().debits, 0);
    EXPECT_EQ(writeXml(zalvo::fileheader::kDirectDebit, "keine.xml"), result::kNoEntriesOfType);
    ASSERT_EQ(writeXml(zalvo::fileheader::kCreditTransfer, "nur-gk.xml"), 0);
    EXPECT_TRUE(schemacheck::validates(m_temp.path() / "nur-gk.xml", "pain.001.001.09.xsd"));
    EXPECT_FALSE(fs::exists(m_temp.path() / "keine.xml"));

    ASSERT_EQ(readDta(writeDta(dtatest::write(debitFile()))), 0);
    EXPECT_EQ(walk().credits, 0);
    EXPECT_EQ(writeXml(zalvo::fileheader::kCreditTransfer, "keine.xml"), result::kNoEntriesOfType);
    ASSERT_EQ(writeXml(zalvo::fileheader::kDirectDebit, "nur-lk.xml"), 0);
    EXPECT_TRUE(schemacheck::validates(m_temp.path() / "nur-lk.xml", "pain.008.001.08.xsd"));
}

TEST_F(DtaExportsTest, PublishedSamplesReadAndWalk) {
    ZALVO_REQUIRE_DTA_SAMPLES();
    const fs::path samples = ZALVO_DTA_SAMPLES;
    ASSERT_EQ(readDta(samples / "pear_show_dta_gk_two_credits.dta"), 0);
    Walk seen = walk();
    EXPECT_EQ(seen.credits, 2);
    ASSERT_EQ(readDta(samples / "dtaus0_valid_header_checksum_and_transaction_ext.dta"), 0);
    seen = walk();
    EXPECT_EQ(seen.debits, 1);
    ASSERT_EQ(readDta(samples / "dtaus0_valid_header_and_checksum.dta"), 0);
    seen = walk();
    EXPECT_EQ(seen.credits + seen.debits, 0);
    EXPECT_EQ(seen.end, zalvo::kNoEntryLeft);
    EXPECT_EQ(readDta(samples / "dtaus0_valid_header_checksum_and_forbidden_transaction_ext.dta"),
              result::kTextKeyMismatch);
}

TEST_F(DtaExportsTest, MalformedFilesGiveNegativeCodesAndLeaveNothingToWalk) {
    const std::string good = dtatest::write(creditFile());
    std::string truncated = good.substr(0, good.size() - 100);
    std::string wrongLength = good;
    wrongLength.replace(128, 4, "0245");
    std::string wrongSum = good;
    wrongSum[good.size() - 128 + 76] = '3';
    std::string garbage(1024, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) {
        garbage[i] = static_cast<char>(i * 37 + 11);
    }
    EXPECT_EQ(readDta(writeDta(truncated)), result::kTruncated);
    EXPECT_EQ(readDta(writeDta(wrongLength)), result::kBadRecordLength);
    EXPECT_EQ(readDta(writeDta(wrongSum)), result::kAmountSumMismatch);
    EXPECT_LT(readDta(writeDta(garbage)), 0);
    EXPECT_EQ(readDta(writeDta("")), result::kFileEmpty);
    EXPECT_EQ(readDta(m_temp.path() / "missing.dta"), result::kFileNotReadable);

    Record record(info::kSize);
    std::int32_t counter = 1;
    EXPECT_EQ(fn<EntryPoint::GetDTAInfo>()(record.data(), &counter), result::kNothingRead);
    EXPECT_EQ(writeXml(0, "x.xml"), result::kNothingRead);
    // The protocol is the one of the last read.
    EXPECT_NE(protocol().find("missing.dta\r\nFEHLER -502"), std::string::npos) << protocol();
}

TEST_F(DtaExportsTest, RefusesAHugeFileWithoutReadingIt) {
    const fs::path huge = m_temp.path() / "huge.dta";
    std::ofstream(huge, std::ios::binary).put('0');
    fs::resize_file(huge, std::uintmax_t{300} * 1024 * 1024); // sparse: no disk used
    EXPECT_EQ(readDta(huge), result::kFileTooLarge);
    EXPECT_NE(protocol().find("-503"), std::string::npos);
}

TEST_F(DtaExportsTest, FreeIsHarmlessWhenNothingWasReadAndForgetsEverything) {
    EXPECT_EQ(fn<EntryPoint::FreeDTAVars>()(), 0);
    EXPECT_EQ(fn<EntryPoint::FreeDTAVars>()(), 0);
    char buffer[8];
    EXPECT_EQ(fn<EntryPoint::GetDTAProtokoll>()(buffer, sizeof buffer), result::kNothingRead);
    ASSERT_EQ(readDta(writeDta(dtatest::write(creditFile()))), 0);
    const std::int32_t length = fn<EntryPoint::GetDTAProtokoll>()(buffer, sizeof buffer);
    EXPECT_GT(length, 7);
    EXPECT_EQ(std::string(buffer), "DTA-Dat");
    EXPECT_EQ(fn<EntryPoint::FreeDTAVars>()(), 0);
    EXPECT_EQ(fn<EntryPoint::GetDTAProtokoll>()(buffer, sizeof buffer), result::kNothingRead);
    // Also without an initialised library.
    fn<EntryPoint::Free>()();
    EXPECT_EQ(fn<EntryPoint::FreeDTAVars>()(), 0);
}

TEST_F(DtaExportsTest, NullArgumentsAndAnUninitialisedLibraryAreRefused) {
    EXPECT_EQ(fn<EntryPoint::ReadDTA>()(nullptr, nullptr), paylib::result::kNullArgument);
    ASSERT_EQ(readDta(writeDta(dtatest::write(creditFile()))), 0);
    std::int32_t counter = 1;
    Record record(info::kSize);
    EXPECT_EQ(fn<EntryPoint::GetDTAInfo>()(nullptr, &counter), paylib::result::kNullArgument);
    EXPECT_EQ(fn<EntryPoint::GetDTAInfo>()(record.data(), nullptr), paylib::result::kNullArgument);
    EXPECT_EQ(fn<EntryPoint::PutDTAInfo>()(nullptr), paylib::result::kNullArgument);
    EXPECT_EQ(fn<EntryPoint::WriteDTAtoXML>()(nullptr), paylib::result::kNullArgument);
    EXPECT_EQ(fn<EntryPoint::GetDTAProtokoll>()(nullptr, 10), paylib::result::kNullArgument);

    walk();
    fn<EntryPoint::Free>()();
    EXPECT_EQ(writeXml(0, "x.xml"), paylib::result::kNotInitialised);
    EXPECT_FALSE(fs::exists(m_temp.path() / "x.xml"));
}

TEST_F(DtaExportsTest, ABankWithItsOwnIbanRuleIsConvertedUnderIt) {
    dtatest::LogicalFile file = creditFile();
    file.payments[0].bankCode = 50040000; // Commerzbank, rule 000503: a donation account
    file.payments[0].account = 101010;
    ASSERT_EQ(readDta(writeDta(dtatest::write(file))), 0);
    walk();
    EXPECT_EQ(writeXml(0, "regel.xml"), 0) << protocol();
    EXPECT_TRUE(schemacheck::validates(m_temp.path() / "regel.xml", "pain.001.001.09.xsd"));
    EXPECT_NE(schemacheck::contents(m_temp.path() / "regel.xml").find("DE46500400000311011100"),
              std::string::npos);
}

TEST_F(DtaExportsTest, AnAccountThatCouldNotBeCheckedGivesTheNotice) {
    dtatest::LogicalFile file = creditFile();
    file.payments[0].bankCode = 21050055; // no check method in the bank data
    file.payments[0].account = 1234567;
    ASSERT_EQ(readDta(writeDta(dtatest::write(file))), 0);
    walk();
    EXPECT_EQ(writeXml(0, "hinweis.xml"), paylib::result::kNoticeAccountNotChecked);
    EXPECT_TRUE(schemacheck::validates(m_temp.path() / "hinweis.xml", "pain.001.001.09.xsd"));
    EXPECT_NE(protocol().find("HINWEIS 213: Zahlung 1"), std::string::npos) << protocol();
}

TEST_F(DtaExportsTest, AnAccountFailingItsBanksCheckMethodIsRefusedAndNoFileWritten) {
    dtatest::LogicalFile file = creditFile();
    file.payments[1].bankCode = 21050170; // method 74 refuses 12345678
    file.payments[1].account = 12345678;
    ASSERT_EQ(readDta(writeDta(dtatest::write(file))), 0);
    walk();
    EXPECT_EQ(writeXml(0, "abgewiesen.xml"), paylib::result::kAccountRefused);
    EXPECT_FALSE(fs::exists(m_temp.path() / "abgewiesen.xml"));
    EXPECT_NE(protocol().find("FEHLER -19: Zahlung 2 (BLZ 21050170, Konto 12345678"),
              std::string::npos)
        << protocol();
}
