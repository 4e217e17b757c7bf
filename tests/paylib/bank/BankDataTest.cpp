// IBAN, BIC, version and information through the exported entry points, with the embedded
// bank-code table and with Bundesbank files dropped into the data path.
#include "tests/paylib/PayLib.h"
#include "tests/paylib/SchemaCheck.h"

#include "abi/Record.h"
#include "abi/RecordLayouts.h"
#include "paylib/ResultCodes.h"
#include "tests/support/TempDirectory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
namespace result = paylib::result;
namespace account = zalvo::account;
using paylibtest::PayLib;

struct Conversion {
    int32_t code;
    std::string bic;
    std::string iban;
};

Conversion convert(std::string_view bankCode, std::string_view number) {
    zalvo::Record record(account::kSize);
    record.putText(account::kBankCode, bankCode);
    record.putText(account::kAccountNumber, number);
    const int32_t code = PayLib::get().convertBLZKonto(record.data());
    return {code, record.text(account::kBic), record.text(account::kIban)};
}

std::pair<int32_t, std::string> bicOf(std::string_view bankCode) {
    zalvo::Record code(zalvo::kBankCodeBufferSize);
    code.putText(0, zalvo::kBankCodeBufferSize - 1, bankCode);
    zalvo::Record bic(zalvo::kBicBufferSize);
    const int32_t result = PayLib::get().getBIC(code.data(), bic.data());
    return {result, bic.text(0, zalvo::kBicBufferSize)};
}

std::array<std::string, 3> infoDates() {
    zalvo::Record record(zalvo::info::kSize);
    EXPECT_EQ(PayLib::get().info(record.data()), result::kOk);
    return {record.text(zalvo::info::kParticipantsDate), record.text(zalvo::info::kBankCodesFrom),
            record.text(zalvo::info::kBankCodesUntil)};
}

// One line of the Bundesbank extract of 2014, by bank code and marker.
std::string extractRecord(std::string_view bankCode) {
    std::ifstream in(ZALVO_BLZ_EXTRACT, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (line.starts_with(bankCode) && line[8] == '1')
            return line;
    }
    ADD_FAILURE() << "no record for " << bankCode;
    return {};
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

class BankDataTest : public ::testing::Test {
protected:
    void SetUp() override {
        PayLib::get().free();
        ASSERT_EQ(PayLib::get().initDefault(), result::kOk);
    }
    void TearDown() override { PayLib::get().free(); }

    testsupport::TempDirectory m_dir;
};

TEST_F(BankDataTest, StandardRuleBanksGiveIbanAndBicOfKnownPairs) {
    struct Vector {
        const char* bankCode;
        const char* account;
        const char* iban;
        const char* bic;
    };
    const Vector vectors[] = {
        {"50010517", "648489890", "DE12500105170648489890", "INGDDEFFXXX"},
        {"12030000", "202051", "DE02120300000000202051", "BYLADEM1001"},
        {"50010517", "137075030", "DE02500105170137075030", "INGDDEFFXXX"},
        {"30020900", "106531065", "DE02300209000106531065", "CMCIDEDDXXX"},
        {"20050550", "1015871393", "DE02200505501015871393", "HASPDEHHXXX"},
        {"10010010", "6820101", "DE02100100100006820101", "PBNKDEFFXXX"},
        {"70010080", "30876808", "DE02700100800030876808", "PBNKDEFFXXX"},
        {"37050299", "684712", "DE02370502990000684712", "COKSDE33XXX"},
        {"10090000", "1234567892", "DE88100900001234567892", "BEVODEBBXXX"},
    };
    for (const Vector& v : vectors) {
        const Conversion c = convert(v.bankCode, v.account);
        EXPECT_EQ(c.code, result::kOk) << v.bankCode;
        EXPECT_EQ(c.iban, v.iban) << v.bankCode;
        EXPECT_EQ(c.bic, v.bic) << v.bankCode;
    }
}

TEST_F(BankDataTest, AnAccountFailingItsBanksCheckMethodIsRefused) {
    // The standard-rule pair of the 2014 examples: 12345678 fails method 74 of the Förde
    // Sparkasse. The bank itself is known; only the account is refused.
    const Conversion c = convert("21050170", "12345678");
    EXPECT_EQ(c.code, result::kAccountRefused);
    EXPECT_EQ(c.iban, "");
    EXPECT_EQ(c.bic, "");
    EXPECT_EQ(bicOf("21050170"), std::make_pair(result::kOk, std::string("NOLADE21KIE")));
}

TEST_F(BankDataTest, BanksWithAnIbanRuleAreDerivedByTheirRule) {
    // Commerzbank (rule 0005): the headline pair of the documentation.
    Conversion c = convert("37040044", "532013000");
    EXPECT_EQ(c.code, result::kOk);
    EXPECT_EQ(c.iban, "DE89370400440532013000");
    EXPECT_EQ(c.bic, "COBADEFFXXX");

    // Commerzbank's donation account 101010 in Frankfurt is booked on 311011100.
    c = convert("50040000", "101010");
    EXPECT_EQ(c.code, result::kOk);
    EXPECT_EQ(c.iban, "DE46500400000311011100");
    EXPECT_EQ(c.bic, "COBADEFFXXX");

    // Berliner Sparkasse (rule 0004): donation account 135 is booked on 990021440.
    c = convert("10050000", "135");
    EXPECT_EQ(c.code, result::kOk);
    EXPECT_EQ(c.iban, "DE86100500000990021440");

    // Banks with a rule whose other accounts follow the standard derivation.
    const std::pair<const char*, const char*> ruled[] = {{"60050101", "DE02600501010002034304"},
                                                         {"70020270", "DE02700202700010108669"},
                                                         {"70150000", "DE02701500000000594937"},
                                                         {"30060601", "DE02300606010002474689"}};
    const char* accounts[] = {"2034304", "10108669", "594937", "2474689"};
    for (std::size_t i = 0; i < std::size(ruled); ++i) {
        c = convert(ruled[i].first, accounts[i]);
        EXPECT_EQ(c.code, result::kOk) << ruled[i].first;
        EXPECT_EQ(c.iban, ruled[i].second);
    }
}

TEST_F(BankDataTest, RuleNoIbanRefusesAndLeavesTheOutputsEmpty) {
    // Pax-Bank Berlin: rule 000100 with a successor bank code; no IBAN may be derived.
    const Conversion c = convert("10060198", "12345");
    EXPECT_EQ(c.code, result::kNoIbanAllowed);
    EXPECT_EQ(c.iban, "");
    EXPECT_EQ(c.bic, "");
}

TEST_F(BankDataTest, WrongInputsGiveTheirOwnCodes) {
    EXPECT_EQ(convert("", "532013000").code, result::kBankCodeLength);
    EXPECT_EQ(convert("3704004", "532013000").code, result::kBankCodeLength);
    EXPECT_EQ(convert("3704O044", "532013000").code, result::kBankCodeNotDigits);
    EXPECT_EQ(convert("37040044", "").code, result::kAccountLength);
    EXPECT_EQ(convert("37040044", "12345678901").code, result::kAccountLength);
    EXPECT_EQ(convert("37040044", "0").code, result::kAccountNotDigits);
    EXPECT_EQ(convert("37040044", "532 013000").code, result::kAccountNotDigits);
    EXPECT_EQ(convert("12345678", "532013000").code, result::kBankCodeUnknown);
    // Both wrong: the bank code is judged first.
    EXPECT_EQ(convert("37A", "x").code, result::kBankCodeNotDigits);
}

TEST_F(BankDataTest, AccountOfElevenDigitsWithALeadingZeroIsTenDigits) {
    const Conversion c = convert("50010517", "00648489890");
    EXPECT_EQ(c.code, result::kOk);
    EXPECT_EQ(c.iban, "DE12500105170648489890");
}

TEST_F(BankDataTest, SurroundingBlanksAreNotPartOfTheAccount) {
    EXPECT_EQ(convert("10010010", " 6820101 ").iban, "DE02100100100006820101");
}

TEST_F(BankDataTest, UnterminatedFieldsAreReadOnlyUpToTheirWidth) {
    zalvo::Record record(account::kSize);
    // Nine digits fill the bank-code field without its zero; the account follows at once.
    std::memcpy(record.data() + account::kBankCode.offset, "370400445", account::kBankCode.width);
    record.putText(account::kAccountNumber, "532013000");
    EXPECT_EQ(PayLib::get().convertBLZKonto(record.data()), result::kBankCodeLength);

    std::string code(zalvo::kBankCodeBufferSize, '1');
    std::string bic(zalvo::kBicBufferSize, 'x');
    EXPECT_EQ(PayLib::get().getBIC(code.data(), bic.data()), result::kBankCodeLength);
}

TEST_F(BankDataTest, OutputsEndInsideTheirFields) {
    zalvo::Record record(account::kSize);
    std::memset(record.data(), 'x', account::kSize);
    std::memcpy(record.data(), "10010010", 9); // with its zero
    std::memcpy(record.data() + account::kAccountNumber.offset, "6820101", 8);
    ASSERT_EQ(PayLib::get().convertBLZKonto(record.data()), result::kOk);
    EXPECT_EQ(record.data()[account::kBic.end() - 1], '\0');
    EXPECT_EQ(record.data()[account::kIban.end() - 1], '\0');
    EXPECT_EQ(record.text(account::kIban), "DE02100100100006820101");
    EXPECT_EQ(record.text(account::kBic), "PBNKDEFFXXX");
}

TEST_F(BankDataTest, GetBicOfKnownBanks) {
    EXPECT_EQ(bicOf("37040044"), std::make_pair(result::kOk, std::string("COBADEFFXXX")));
    EXPECT_EQ(bicOf("10000000"), std::make_pair(result::kOk, std::string("MARKDEF1100")));
    EXPECT_EQ(bicOf("20041111"), std::make_pair(result::kOk, std::string("COBADEHDXXX")));
    EXPECT_EQ(bicOf("26580070"), std::make_pair(result::kOk, std::string("DRESDEFF265")));
    // Rule 0001 forbids an IBAN, not the BIC.
    EXPECT_EQ(bicOf("10060198"), std::make_pair(result::kOk, std::string("GENODED1PA6")));
    EXPECT_EQ(bicOf("").first, result::kBankCodeLength);
    EXPECT_EQ(bicOf("1001001").first, result::kBankCodeLength);
    EXPECT_EQ(bicOf("1001001x").first, result::kBankCodeNotDigits);
    EXPECT_EQ(bicOf("99999999").first, result::kBankCodeUnknown);
}

TEST_F(BankDataTest, VersionAndInformationOfTheEmbeddedTable) {
    zalvo::Record version(zalvo::version::kSize);
    EXPECT_EQ(PayLib::get().version(version.data()), result::kOk);
    EXPECT_EQ(version.text(zalvo::version::kDate), "08122026");
    EXPECT_EQ(version.text(zalvo::version::kText), "1.0.0");
    // The embedded data is valid from 8 December 2025 until the day before the March 2026
    // file (Monday after the first Saturday: 9 March).
    const auto dates = infoDates();
    EXPECT_EQ(dates[0], "08122025");
    EXPECT_EQ(dates[1], "08122025");
    EXPECT_EQ(dates[2], "08032026");
}

TEST_F(BankDataTest, EveryCallButInitNeedsAnInitialisedLibrary) {
    const PayLib& lib = PayLib::get();
    lib.free();
    zalvo::Record record(zalvo::fileheader::kSize);
    zalvo::Record entry(zalvo::payment::kSize);
    zalvo::Record summary(zalvo::summary::kSize);
    zalvo::Record info(zalvo::info::kSize);
    EXPECT_EQ(convert("10010010", "6820101").code, result::kNotInitialised);
    EXPECT_EQ(bicOf("10010010").first, result::kNotInitialised);
    EXPECT_EQ(lib.info(info.data()), result::kNotInitialised);
    EXPECT_EQ(lib.createXML(record.data()), result::kNotInitialised);
    EXPECT_EQ(lib.writeXML(entry.data()), result::kNotInitialised);
    EXPECT_EQ(lib.closeXML(summary.data()), result::kNotInitialised);
    // Version, Free and a second Free work without it.
    zalvo::Record version(zalvo::version::kSize);
    EXPECT_EQ(lib.version(version.data()), result::kOk);
    EXPECT_EQ(lib.free(), result::kOk);
    EXPECT_EQ(lib.free(), result::kOk);
}

TEST_F(BankDataTest, NullArgumentsAreRefused) {
    const PayLib& lib = PayLib::get();
    char bic[zalvo::kBicBufferSize] = {};
    EXPECT_EQ(lib.convertBLZKonto(nullptr), result::kNullArgument);
    EXPECT_EQ(lib.getBIC(nullptr, bic), result::kNullArgument);
    EXPECT_EQ(lib.getBIC("10010010", nullptr), result::kNullArgument);
    EXPECT_EQ(lib.version(nullptr), result::kNullArgument);
    EXPECT_EQ(lib.info(nullptr), result::kNullArgument);
    EXPECT_EQ(lib.createXML(nullptr), result::kNullArgument);
    EXPECT_EQ(lib.writeXML(nullptr), result::kNullArgument);
    EXPECT_EQ(lib.closeXML(nullptr), result::kNullArgument);
    // Null paths count as empty ones.
    EXPECT_EQ(lib.init(nullptr, nullptr, nullptr, 0), result::kOk);
}

TEST_F(BankDataTest, EveryCallIsLoggedAndFailuresWithTheirCode) {
    const PayLib& lib = PayLib::get();
    const std::string log = (m_dir.path() / "zalvo.log").string();
    // The log writer's own checks answer through the entry point.
    EXPECT_EQ(lib.setLogFile("abc", 1, 7, 0), -1);
    EXPECT_EQ(lib.setLogFile(log.c_str(), 9, 7, 0), -2);
    ASSERT_EQ(lib.setLogFile(log.c_str(), 1, 7, 0), result::kOk);
    ASSERT_EQ(lib.init("", "", "", 0), result::kOk);
    EXPECT_EQ(convert("12345678", "1").code, result::kBankCodeUnknown);
    EXPECT_EQ(convert("37040044", "532013000").code, result::kOk);
    // Hamburg Commercial Bank GF Retail: no check method in the data.
    EXPECT_EQ(convert("21050055", "1234567").code, result::kNoticeAccountNotChecked);
    EXPECT_EQ(bicOf("10010010").first, result::kOk);
    zalvo::Record summary(zalvo::summary::kSize);
    EXPECT_EQ(lib.closeXML(summary.data()), result::kNoFileOpen);
    ASSERT_EQ(lib.setLogFile(log.c_str(), 3, 7, 0), result::kOk);

    const std::string text = schemacheck::contents(log);
    for (const char* line : {
             "INFO:   Init.DataPath=, TempPath=, UserPath=, Reserved=0\r\n",
             "INFO:   Init.BLZ-Bestand=eingebaut, Banken=3.505, g\xFCltig 08.12.2025 bis "
             "08.03.2026, IBAN-Regeln aus eingebauten Daten=0\r\n",
             "INFO:   ConvertBLZKonto.BLZ=12345678, Konto=1\r\n",
             "FEHLER: ConvertBLZKonto.Bankleitzahl unbekannt. Fehler: -15\r\n",
             "INFO:   ConvertBLZKonto.BIC=COBADEFFXXX, IBAN=DE89370400440532013000, "
             "IBAN-Regel=000503\r\n",
             "HINWEIS:ConvertBLZKonto.IBAN ermittelt, Pr\xFC"
             "fzifferberechnungsmethode der Bank unbekannt, Kontonummer nicht gepr\xFC"
             "ft. Hinweis: 213\r\n",
             "INFO:   GetBIC.BLZ=10010010\r\n",
             "INFO:   GetBIC.BIC=PBNKDEFFXXX\r\n",
             "FEHLER: CloseXML.Es ist keine XML-Datei ge\xF6"
             "ffnet. Fehler: -21\r\n",
         })
        EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;
}

// A Bundesbank file in the data path replaces the embedded table.
class BankFileTest : public BankDataTest {
protected:
    fs::path data() const { return m_dir.path() / "daten"; }
    void SetUp() override {
        BankDataTest::SetUp();
        fs::create_directories(data());
    }
    int32_t initWithData() const { return PayLib::get().init(data().string().c_str(), "", "", 0); }
};

TEST_F(BankFileTest, CompleteFileIsLoadedWithItsValidity) {
    // A bank without BIC: the record of 10010010 with its BIC blanked and a new code.
    std::string noBic = extractRecord("10010010");
    noBic.replace(0, 8, "10010099");
    noBic.replace(139, 11, std::string(11, ' '));
    writeFile(data() / "blz_20250303.txt", extractRecord("50010517") + "\r\n" + noBic + "\r\n");
    ASSERT_EQ(initWithData(), result::kOk);
    // Valid from 3 March 2025 until the day before the June file (9 June 2025).
    const auto dates = infoDates();
    EXPECT_EQ(dates[1], "03032025");
    EXPECT_EQ(dates[2], "08062025");

    EXPECT_EQ(bicOf("50010517").second, "INGDDEFFXXX");
    // Banks of the embedded table are not mixed in.
    EXPECT_EQ(bicOf("37040044").first, result::kBankCodeUnknown);
    EXPECT_EQ(bicOf("10010099").first, result::kNoBic);
    const Conversion c = convert("10010099", "6820101");
    EXPECT_EQ(c.code, result::kNoticeNoBic);
    EXPECT_EQ(c.iban, "DE13100100990006820101");
    EXPECT_EQ(c.bic, "");
}

// Offsets of the record fields a test changes.
constexpr std::size_t kBicOffset = 139;
constexpr std::size_t kMethodOffset = 150;
constexpr std::size_t kRuleOffset = 168;

std::string withField(std::string record, std::size_t offset, std::string_view value) {
    return record.replace(offset, value.size(), value);
}

std::string withoutRuleColumn(const std::string& record) {
    return record.substr(0, kRuleOffset);
}

TEST_F(BankFileTest, AFileWithoutTheRuleColumnTakesTheRulesOfTheEmbeddedData) {
    // The published file ends each record after the successor field. Its BIC and check
    // method count; the IBAN rules are ours (the extract's rule column is cut off).
    std::string lines;
    for (const std::string& record :
         {extractRecord("37040044"), extractRecord("50040000"), extractRecord("10050000"),
          withField(extractRecord("21050170"), kMethodOffset, "09"),
          withField(extractRecord("50010517"), kBicOffset, "INGDDEFFABC")})
        lines += withoutRuleColumn(record) + "\r\n";
    writeFile(data() / "blz_20260309.txt", lines);
    ASSERT_EQ(initWithData(), result::kOk);
    EXPECT_EQ(infoDates()[1], "09032026");

    Conversion c = convert("50040000", "101010"); // rule 0005: donation account
    EXPECT_EQ(c.code, result::kOk);
    EXPECT_EQ(c.iban, "DE46500400000311011100");
    EXPECT_EQ(convert("10050000", "135").iban, "DE86100500000990021440"); // rule 0004
    // The file's method 09 accepts what the data's method 74 refuses.
    c = convert("21050170", "12345678");
    EXPECT_EQ(c.code, result::kOk);
    EXPECT_EQ(c.iban, "DE68210501700012345678");
    EXPECT_EQ(convert("50010517", "648489890").bic, "INGDDEFFABC");
    // Bank codes of the embedded data that the file lacks are gone.
    EXPECT_EQ(convert("70150000", "594937").code, result::kBankCodeUnknown);
}

TEST_F(BankFileTest, AFileWithTheRuleColumnKeepsItsOwnRules) {
    writeFile(data() / "blz_20260309.txt",
              withField(extractRecord("10050000"), kRuleOffset, "000000") + "\n" +
                  extractRecord("37040044") + "\n");
    ASSERT_EQ(initWithData(), result::kOk);
    // The file's standard rule instead of the donation table of rule 0004: 135 is no account
    // of the bank's own numbering (method B8).
    EXPECT_EQ(convert("10050000", "135").code, result::kAccountRefused);
    EXPECT_EQ(convert("10050000", "54540402").iban, "DE02100500000054540402");
    EXPECT_EQ(convert("37040044", "532013000").iban, "DE89370400440532013000");
}

TEST_F(BankFileTest, ANewerRuleVersionOrAnUnknownRuleStillGivesAnIbanWithANotice) {
    writeFile(data() / "blz_20260309.txt",
              withField(extractRecord("50040000"), kRuleOffset, "000504") + "\n" +
                  withField(extractRecord("50010517"), kRuleOffset, "005800") + "\n");
    ASSERT_EQ(initWithData(), result::kOk);
    // 0005 in a version after 03: version 03 is applied, and the user is told.
    Conversion c = convert("50040000", "101010");
    EXPECT_EQ(c.code, result::kNoticeRuleVersionUnknown);
    EXPECT_EQ(c.iban, "DE46500400000311011100");
    // A rule number after 0057: the standard derivation, as before.
    c = convert("50010517", "648489890");
    EXPECT_EQ(c.code, result::kNoticeIbanRuleNotApplied);
    EXPECT_EQ(c.iban, "DE12500105170648489890");
}

TEST_F(BankFileTest, ADeletedBankCodeOfTheFileIsRefused) {
    // Volksbank Braunschweig -alt- carries change code D in the extract.
    fs::copy_file(ZALVO_BLZ_EXTRACT, data() / "blz_20141208.txt");
    ASSERT_EQ(initWithData(), result::kOk);
    EXPECT_EQ(convert("27090077", "532013000").code, result::kBankCodeDeleted);
    EXPECT_EQ(bicOf("27090077").first, result::kBankCodeDeleted);
    EXPECT_EQ(bicOf("37040044").second, "COBADEFFXXX");
}

TEST_F(BankFileTest, NewestCompleteFileWins) {
    writeFile(data() / "blz_20250303.txt", extractRecord("50010517") + "\n");
    writeFile(data() / "BLZ_20250602.TXT", extractRecord("10010010") + "\n");
    writeFile(data() / "other_20260101.txt", extractRecord("37040044") + "\n");
    ASSERT_EQ(initWithData(), result::kOk);
    EXPECT_EQ(bicOf("10010010").first, result::kOk);
    EXPECT_EQ(bicOf("50010517").first, result::kBankCodeUnknown);
    EXPECT_EQ(infoDates()[1], "02062025");

    // A newer but truncated file is passed over.
    writeFile(data() / "blz_20250901.txt", extractRecord("37040044").substr(0, 100) + "\n");
    ASSERT_EQ(initWithData(), result::kOk);
    EXPECT_EQ(bicOf("10010010").first, result::kOk);
    EXPECT_EQ(bicOf("37040044").first, result::kBankCodeUnknown);
}

TEST_F(BankFileTest, Utf8EncodedFileIsReadAsWellAsLatin1) {
    // Sparkasse KölnBonn: "Köln" is one byte in Latin-1 and two in UTF-8.
    const std::string latin1 = extractRecord("37050198");
    ASSERT_NE(latin1.find('\xF6'), std::string::npos);
    std::string utf8;
    for (char c : latin1)
        utf8 += c == '\xF6' ? std::string("\xC3\xB6") : std::string(1, c);
    writeFile(data() / "blz_20250303.txt", utf8 + "\n");
    EXPECT_EQ(initWithData(), result::kOk);
    EXPECT_EQ(bicOf("37050198").second, "COLSDE33XXX");
}

TEST_F(BankFileTest, FileWithoutDateIsValidFromItsQuarter) {
    const fs::path file = data() / "blz.txt";
    writeFile(file, extractRecord("50010517") + "\n");
    // Changed on 15 July 2025: the period that began on 9 June 2025 (until 7 September).
    const std::chrono::sys_seconds july =
        std::chrono::sys_days(std::chrono::year{2025} / 7 / 15) + std::chrono::hours(12);
    fs::last_write_time(file, std::chrono::file_clock::from_sys(july));
    ASSERT_EQ(initWithData(), result::kOk);
    const auto dates = infoDates();
    EXPECT_EQ(dates[1], "09062025");
    EXPECT_EQ(dates[2], "07092025");
}

TEST_F(BankFileTest, NoUsableFileFallsBackToTheEmbeddedTable) {
    // No blz*.txt at all: silently the embedded table.
    writeFile(data() / "readme.txt", "nothing\n");
    EXPECT_EQ(initWithData(), result::kOk);
    EXPECT_EQ(bicOf("37040044").second, "COBADEFFXXX");

    // Only damaged files: the embedded table, with a notice.
    std::string wrongMarker = extractRecord("50010517");
    wrongMarker[8] = '3';
    writeFile(data() / "blz_20250303.txt", wrongMarker + "\n");
    std::string twice = extractRecord("50010517");
    writeFile(data() / "blz_20250602.txt", twice + "\n" + twice + "\n");
    EXPECT_EQ(initWithData(), result::kNoticeBankFileRejected);
    EXPECT_EQ(bicOf("37040044").second, "COBADEFFXXX");
    EXPECT_EQ(infoDates()[1], "08122025");

    EXPECT_EQ(PayLib::get().init((data() / "blz_20250303.txt").string().c_str(), "", "", 0),
              result::kNoticeDataPathNoDirectory);
    EXPECT_EQ(bicOf("37040044").second, "COBADEFFXXX");
    EXPECT_EQ(PayLib::get().init("", "/nonexistent/tmp", "", 0),
              result::kNoticeTempPathNoDirectory);
    EXPECT_EQ(bicOf("37040044").second, "COBADEFFXXX");
}

} // namespace
